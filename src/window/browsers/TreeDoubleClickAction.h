#pragma once

namespace cvx {

class frmMain;

// The remote-control browser's double-click action on its selected node (Enter does the same).
void RunTreeDoubleClickAction(frmMain& w);
// Runs it on a double click in the browser.
void ConnectTreeDoubleClick(frmMain& w);

}  // namespace cvx
