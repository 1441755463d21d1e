#pragma once

namespace cvx {

class frmMain;

// Reads the tree's settings into the window (start-up, after the attribute pickers are filled).
int LoadSettings(frmMain& w);
// Writes the window's settings back (shutdown); its own errors are ignored.
void SaveSettings(frmMain& w);
// Marks the stored search anchor in the remote-control browser (last step of start-up).
int ShowSearchAnchor(frmMain& w);

}  // namespace cvx
