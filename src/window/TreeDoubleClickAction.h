#pragma once

namespace cvx {

class frmMain;

// The remote-control browser's double-click action on its selected node (Enter does the same).
void RunTreeDoubleClickAction(frmMain& w);

}  // namespace cvx
