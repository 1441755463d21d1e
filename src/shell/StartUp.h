#pragma once

namespace cvx {

class frmMain;

// How start-up ended.
enum class StartUpOutcome {
  kReady,          // show the window (possibly prepared only part of the way)
  kHelpRun,        // only the help window is left
  kUnloaded,       // the window was unloaded during start-up and is never shown
  kClientMissing,  // the directory cannot be used: the message was shown, end with status 1
};

// The window's load handler: creates the directory controls, reads the command line, tests the
// schema for the extended actions and prepares every control, in a fixed order. An error in a
// step ends start-up there; the window then shows as far as it got, and says which step failed
// and why. A directory that cannot be opened ends the program with its message.
StartUpOutcome RunStartUp(frmMain& w);

// Step 2: the five directory controls with their class filters. Error 7 when the directory
// cannot be used.
int CreateDirectoryControls(frmMain& w);

}  // namespace cvx
