#pragma once

namespace cvx {

class frmMain;

// The window's unload handler: saves the settings (saying on stderr and in a box when they could
// not be saved, and why) and releases the directory controls, except after an unattended build
// that closes by itself, which leaves everything as it is.
void RunShutdown(frmMain& w);

}  // namespace cvx
