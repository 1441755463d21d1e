#pragma once

#include <string>
#include <vector>

#include "actions/ProcessLauncher.h"

namespace cvx {

// Remembers every command line (and argument list) instead of starting it and answers with a chosen
// outcome; a blank line is answered as the real launcher answers it.
class RecordingLauncher : public ProcessLauncher {
 public:
  LaunchOutcome Launch(const std::string& commandLine) override {
    launched.push_back(commandLine);
    if (commandLine.find_first_not_of(" \t") == std::string::npos) {
      return {LaunchStatus::kEmpty, {}};
    }
    return answer;
  }
  LaunchOutcome LaunchArguments(const std::vector<std::string>& arguments) override {
    launchedArguments.push_back(arguments);
    if (arguments.empty()) return {LaunchStatus::kEmpty, {}};
    return answer;
  }

  std::vector<std::string> launched;
  std::vector<std::vector<std::string>> launchedArguments;  // own actions' starts
  LaunchOutcome answer{LaunchStatus::kStarted, {}};
};

}  // namespace cvx
