#pragma once

#include <string>
#include <vector>

namespace cvx {

enum class LaunchStatus {
  kStarted,   // the program runs; nobody waits for it
  kNotFound,  // the program file or a folder on its path is not there
  kEmpty,     // nothing to start: the command line is empty or blank, or no arguments
  kFailed,    // anything else; reason says what
};

struct LaunchOutcome {
  LaunchStatus status = LaunchStatus::kEmpty;
  std::string reason;  // for people: why it did not start
};

// Starts a remote-management command line as an independent process: it is not waited for and
// its process id is not kept.
class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  virtual LaunchOutcome Launch(const std::string& commandLine) = 0;
  // Starts a program with these arguments as they stand, the program first: a path, or a bare
  // name looked up in PATH. For the administrator's own actions, which are no network paths.
  virtual LaunchOutcome LaunchArguments(const std::vector<std::string>& arguments) = 0;
};

}  // namespace cvx
