#pragma once

#include "window/frmMain.h"

namespace cvx {

// The window's load handler: creates the directory controls, reads the command line, tests the
// schema for the extended actions and prepares every control, in a fixed order. An error in a
// step ends start-up there; the window then shows as far as it got. A directory that cannot be
// opened ends the program with its message.
frmMain::LoadOutcome RunStartUp(frmMain& w);

// Step 2: the five directory controls with their class filters. Error 7 when the directory
// cannot be used.
int CreateDirectoryControls(frmMain& w);

}  // namespace cvx
