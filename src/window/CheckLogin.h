#pragma once

#include <string>

namespace cvx {

class frmMain;

// Resolves a user to the workstations at which the user is logged in and lists them in
// lstMultiple. Returns the error number of the user's look-up (0 when it was found), so that a
// caller can react to a lost directory (600).
int checkLogin(frmMain& w, const std::string& fullName);

}  // namespace cvx
