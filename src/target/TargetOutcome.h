#pragma once

#include <optional>
#include <string>

#include "target/LoginOrigin.h"
#include "target/ResultEntries.h"

namespace cvx {

// What resolving a target leaves for the window to apply: the logins of a user (checkLogin) or
// where a remote action is to happen (ResolveRemoteTarget). Every part that is set is applied;
// nothing set means the request ends silently.
struct TargetOutcome {
  // The workstation (full name) to build the command for and start at once.
  std::optional<std::string> launch;
  // The user's login that led to it; empty when the target was the workstation itself.
  LoginOrigin launchLogin;
  // The results list's new content, replacing what it held.
  std::optional<ResultEntries> entries;
  std::optional<std::string> columnTitle;  // unset: the title stays
  std::optional<std::string> statusText;   // unset: the status text stays; empty: cleared
  // Shown with kDatabaseMessageTitle, then the settings page "Workstation Database" comes to the
  // front.
  std::optional<std::string> databaseMessage;
  // The error number of the object's look-up (0 when found), so a caller notices a lost
  // directory.
  int lookupError = 0;
};

}  // namespace cvx
