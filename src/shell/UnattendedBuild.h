#pragma once

#include <string>
#include <vector>

namespace cvx {

class frmMain;

// The arguments ask for a database build that closes the program by itself ("/dbbuild=" with
// "/autoclose"): a run that never shows a window and must not wait for a person.
bool IsUnattendedBuild(const std::vector<std::string>& arguments);

// For such a run, and a run on one target: Qt's offscreen platform, unless the caller named a
// platform, so that neither a missing display (cron) nor one that cannot be reached matters.
// Before the application object is made.
void UseOffscreenPlatform();

// After start-up unloaded the window: runs the event loop until the database build has ended.
// The exit status: 0 when the database was built, 1 when the build could not start or failed or
// start-up stopped at a step.
int FinishUnattendedRun(frmMain& w);

}  // namespace cvx
