#pragma once

namespace cvx {

class frmMain;

// Reads the program's options into the window's state, points the five directory controls at
// the chosen tree, names the tree, and starts the unattended database build when one was asked
// for.
void ParseCommandLine(frmMain& w);

}  // namespace cvx
