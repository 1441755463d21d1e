#pragma once

namespace cvx {

// Texts that login resolution and remote action execution show in the results list, its column
// title and the status bar.
inline constexpr const char* kUserNotLoggedIn = "User not logged in!";
inline constexpr const char* kNotInDatabasePrefix = "Workstation not in database: ";
inline constexpr const char* kWorkstationsInUseTitle = "Workstation(s) currently in use ...";
inline constexpr const char* kObjectDoesNotExist = "Object does not exist!";
inline constexpr const char* kWorkstationNotFound =
    "Couldn't find workstation in database - Update the Workstation Database!";
inline constexpr const char* kDirectoryLookupFailed = "Directory lookup failed: ";

}  // namespace cvx
