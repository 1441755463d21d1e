#pragma once

namespace cvx {

class frmMain;

// Starts a build of the workstation database below the chosen context.
void makeDB(frmMain& w);

}  // namespace cvx
