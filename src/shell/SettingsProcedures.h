#pragma once

#include "settings/StoreStatus.h"

namespace cvx {

class frmMain;

// Reads the tree's settings into the window (start-up, after the attribute pickers are filled).
int LoadSettings(frmMain& w);
// Writes the window's settings back (shutdown) in one transaction; a failing write does not stop
// the others. The result is the first failure, for the caller to say.
StoreStatus SaveSettings(frmMain& w);
// Marks the stored search anchor in the remote-control browser (last step of start-up).
int ShowSearchAnchor(frmMain& w);

}  // namespace cvx
