#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace cvx {

// Which of the variables that give Qt a display are set (and not empty).
struct DisplayEnvironment {
  bool display = false;         // DISPLAY
  bool waylandDisplay = false;  // WAYLAND_DISPLAY
  bool qpaPlatform = false;     // QT_QPA_PLATFORM: the caller chose the platform itself

  static DisplayEnvironment FromProcess();
};

// What a start decides before any Qt object exists, from the arguments (argv[1..]):
// --version and --help print to out and give 0 (1 when out cannot be written), and so does "/?"
// without a display, with "/autoclose" or in a run without a window (no help window nobody could
// close); a line that names
// nothing to act on says why on err and gives 1; a start that would open the window (no --target,
// no unattended build) while there is no display says so in one line on err and gives 1, where Qt
// would abort. Nothing: the start goes on.
std::optional<int> EarlyExit(const std::vector<std::string>& arguments,
                             const DisplayEnvironment& display, std::ostream& out,
                             std::ostream& err);

}  // namespace cvx
