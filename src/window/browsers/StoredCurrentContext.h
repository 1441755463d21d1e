#pragma once

#include <string>

namespace cvx {

class frmMain;

// The "Current Context" setting of the tree's settings section: the context the remote-control
// browser was left in at the last shutdown, or defaultContext when none is stored.
std::string ReadStoredCurrentContext(frmMain& w, const std::string& defaultContext);

}  // namespace cvx
