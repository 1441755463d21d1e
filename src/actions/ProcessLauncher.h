#pragma once

#include <string>

namespace cvx {

enum class LaunchStatus {
  kStarted,   // the program runs; nobody waits for it
  kNotFound,  // the program file or a folder on its path is not there
  kEmpty,     // nothing to start: the command line is empty or blank
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
};

}  // namespace cvx
