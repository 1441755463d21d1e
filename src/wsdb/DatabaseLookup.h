#pragma once

#include <optional>
#include <string>

#include "wsdb/DatabaseFault.h"

namespace cvx {

// The answer to one key: the full name of the first matching workstation, no match, or why the
// file could not be read.
struct DatabaseLookup {
  DatabaseFault fault = DatabaseFault::kNone;
  std::optional<std::string> fullName;
  std::string reason;  // what the system said, for kUnreadable

  bool found() const { return fault == DatabaseFault::kNone && fullName.has_value(); }
};

}  // namespace cvx
