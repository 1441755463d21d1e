#pragma once

#include <optional>
#include <string>
#include <vector>

#include "target/ResultEntries.h"

namespace cvx {

struct LoginListing {
  // A login was looked up in the database or noted as not in it.
  bool lookedUp = false;
  // Set when the database could not be read: the listing ended at that login.
  std::optional<std::string> databaseMessage;
};

// Adds one entry per login address of user (a full name), in order: the database is opened for
// every address before it is decoded (so a missing file is reported even for an address that is
// then ignored); a key of kIgnoredAddressKey adds nothing; a hit adds the workstation (refused when
// it is listed already) with the login it was found through; a miss, or an address whose type
// cannot be decoded, adds the note "Workstation not in database: " with the address as read.
LoginListing ListLoginWorkstations(const std::string& user,
                                   const std::vector<std::string>& addresses,
                                   const std::string& dbPath, const std::string& treeName,
                                   ResultEntries& entries);

}  // namespace cvx
