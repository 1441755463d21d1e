#pragma once

#include <string>

namespace cvx {

class frmMain;

// Resolves a user to the workstations at which the user is logged in and lists them in
// lstMultiple. A look-up that fails leaves the list empty and says so in status panel 2; the
// error number is returned (0 when found) for the caller to know, never to end on.
int checkLogin(frmMain& w, const std::string& fullName);

}  // namespace cvx
