#pragma once

#include <string>

#include "directory/DirectoryControl.h"
#include "target/TargetOutcome.h"

namespace cvx {

// The workstations at which a user is logged in, for the results list: the user's "Network
// Address" values are decoded and looked up in the database DBPath/TREE.lst. An object that
// cannot be found or is not a user leaves the list empty and nothing else changes.
TargetOutcome checkLogin(const std::string& fullName, const DirectoryControl& NWDirWSAddress,
                         const std::string& dbPath, const std::string& treeName);

}  // namespace cvx
