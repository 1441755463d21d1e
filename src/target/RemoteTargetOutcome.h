#pragma once

#include <optional>
#include <string>

#include "target/LoginOrigin.h"
#include "target/ResultEntries.h"

namespace cvx {

// Where a remote action is to happen, as far as the directory and the database tell. The window
// applies every part that is set; nothing set means the request ends silently.
struct RemoteTargetOutcome {
  // The workstation (full name) to build the command for and start at once.
  std::optional<std::string> launch;
  // The user's login that led to it; empty when the target was the workstation itself.
  LoginOrigin launchLogin;
  // Several logins: the results list's new content for the administrator to choose from.
  std::optional<ResultEntries> entries;
  std::optional<std::string> columnTitle;
  std::optional<std::string> statusText;  // empty: cleared
  // Shown with kDatabaseMessageTitle, then the settings page "Workstation Database".
  std::optional<std::string> databaseMessage;
};

}  // namespace cvx
