#pragma once

namespace cvx {

class frmMain;

// Rebuild the workstation-database browser and the remote-control browser from the tree root.
int BrowseStartWS(frmMain& w);
int BrowseStartRC(frmMain& w);

}  // namespace cvx
