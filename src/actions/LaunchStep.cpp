#include "actions/LaunchStep.h"

namespace cvx {

std::string LaunchNotFoundMessage() {
  return "Could not find files needed to launch Z.E.N.works Remote Management!\r\n"
         "These files are usually located on your server beneath \\sys\\public\\.\r\n"
         "Please choose a server where you have installed Z.E.N.works files!";
}

std::string LaunchFailureStatus(std::string_view reason) {
  return "Could not start the remote management program: " + std::string(reason);
}

LaunchReaction ReactToLaunch(const LaunchOutcome& outcome) {
  switch (outcome.status) {
    case LaunchStatus::kNotFound:
      return {LaunchNotFoundMessage(), true, std::string()};
    case LaunchStatus::kFailed:
      return {std::nullopt, false, LaunchFailureStatus(outcome.reason)};
    case LaunchStatus::kStarted:
    case LaunchStatus::kEmpty:
      break;
  }
  return {};
}

LaunchReaction LaunchStep(ProcessLauncher& launcher, const std::string& commandLine) {
  return ReactToLaunch(launcher.Launch(commandLine));
}

std::string OwnLaunchFailureStatus(std::string_view reason) {
  return "Could not start the action's program: " + std::string(reason);
}

LaunchReaction LaunchArgumentsStep(ProcessLauncher& launcher,
                                   const std::vector<std::string>& arguments) {
  const LaunchOutcome outcome = launcher.LaunchArguments(arguments);
  switch (outcome.status) {
    case LaunchStatus::kNotFound:
    case LaunchStatus::kFailed:
      return {std::nullopt, false, OwnLaunchFailureStatus(outcome.reason)};
    case LaunchStatus::kStarted:
    case LaunchStatus::kEmpty:
      break;
  }
  return {};
}

}  // namespace cvx
