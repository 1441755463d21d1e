#include "shell/WindowProgram.h"

#include <unistd.h>

#include <filesystem>

namespace cvx {

std::string WindowProgramPath(const std::string& programDir) {
  const std::filesystem::path program(programDir);
  const std::filesystem::path beside = program / "cvx-window";
  if (::access(beside.c_str(), X_OK) == 0) return beside.string();
  return (program / ".." / "lib" / "corvexa" / "cvx-window").lexically_normal().string();
}

}  // namespace cvx
