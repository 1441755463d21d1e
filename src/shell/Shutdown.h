#pragma once

namespace cvx {

class frmMain;

// The window's unload handler: saves the settings and releases the directory controls, except
// after an unattended build that closes by itself, which leaves everything as it is.
void RunShutdown(frmMain& w);

}  // namespace cvx
