#pragma once

#include <string>

namespace cvx {

// The program that shows the window, started by cvx for every run with a window: beside cvx in
// the build folder, in <prefix>/lib/corvexa when installed.
std::string WindowProgramPath(const std::string& programDir);

// cvx tells the window program where it was started from, which decides where the data and the
// stand-ins are found: the window program itself lives elsewhere once installed.
inline constexpr const char* kProgramDirVariable = "CVX_PROGRAM_DIR";

}  // namespace cvx
