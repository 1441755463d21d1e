#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/ProcessLauncher.h"

namespace cvx {

// What the window does after a start: show message (title kLaunchWarningTitle, critical icon, OK
// button) when it is set, bring the server settings to the front (main tab 2, settings tab 1)
// when asked, and put statusText into status panel 2 unless it is absent.
struct LaunchReaction {
  std::optional<std::string> message;
  bool showServerSettings = false;
  std::optional<std::string> statusText;
};

inline constexpr std::string_view kLaunchWarningTitle = "Warning!";

// The message for a program or folder that is not on the chosen server, lines joined by CR LF.
std::string LaunchNotFoundMessage();

// The status text for a start that failed for another reason.
std::string LaunchFailureStatus(std::string_view reason);

// Not found: the message and the server settings, status cleared. Any other failure: the reason
// in the status bar, so it is not lost. Started or nothing to start: nothing.
LaunchReaction ReactToLaunch(const LaunchOutcome& outcome);

// Starts commandLine and returns what the window has to show.
LaunchReaction LaunchStep(ProcessLauncher& launcher, const std::string& commandLine);

// The status text for an own action's program that did not start.
std::string OwnLaunchFailureStatus(std::string_view reason);

// Starts an own action's arguments. A failure of any kind is only a status text: the not-found
// message and the server settings are about the catalogue's programs on the chosen server.
LaunchReaction LaunchArgumentsStep(ProcessLauncher& launcher,
                                   const std::vector<std::string>& arguments);

}  // namespace cvx
