#pragma once

#include <string>
#include <vector>

#include "actions/ProcessLauncher.h"

namespace cvx {

// Starts a command line as Windows would start it from a network share: the program
// \\SERVER\VOLUME\dir\file is looked up below uncRoot (see MapUncPath), the rest of the line is
// split into arguments by Windows' rules, and the program is started with posix_spawn, never
// through a shell. When exeRunner is set (for instance "wine"), programs whose name ends in ".exe"
// are started through it; its blank-separated words come first and it is looked up in PATH.
//
// The child gets its own session, a clean signal state and /dev/null as input. It is never waited
// for: a detached thread blocks in waitpid on that one child and reaps it when it ends, so no
// zombie stays behind, no SIGCHLD handler is installed and no other child of the process (Qt's
// included) is touched. The process id is not kept anywhere else.
class SpawnLauncher : public ProcessLauncher {
 public:
  explicit SpawnLauncher(std::string uncRoot, std::string exeRunner = {});

  LaunchOutcome Launch(const std::string& commandLine) override;
  // The same start without the mapping, the Windows splitting or the runner.
  LaunchOutcome LaunchArguments(const std::vector<std::string>& arguments) override;

 private:
  std::string uncRoot_;
  std::vector<std::string> runnerWords_;
};

}  // namespace cvx
