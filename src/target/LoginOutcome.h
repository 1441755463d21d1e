#pragma once

#include <optional>
#include <string>

#include "target/ResultEntries.h"

namespace cvx {

// What checkLogin leaves for the window to apply.
struct LoginOutcome {
  ResultEntries entries;                   // the results list's new content
  std::optional<std::string> columnTitle;  // unset: the title stays
  std::optional<std::string> statusText;   // unset: the status text stays; empty: cleared
  // Shown with kDatabaseMessageTitle, then the settings page "Workstation Database" comes to the
  // front.
  std::optional<std::string> databaseMessage;
  // The error number of the user's look-up (0 when found), so a caller notices a lost directory.
  int lookupError = 0;
};

}  // namespace cvx
