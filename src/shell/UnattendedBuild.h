#pragma once

#include <string>
#include <vector>

namespace cvx {

class frmMain;

// The arguments ask for a database build that closes the program by itself ("/dbbuild=" with
// "/autoclose"): a run that never shows a window and must not wait for a person.
bool IsUnattendedBuild(const std::vector<std::string>& arguments);

// For such a run on a machine without a display (from cron): Qt's offscreen platform, unless a
// display or a platform was named. Before the application object is made.
void UseOffscreenPlatformWithoutDisplay();

// After start-up unloaded the window: runs the event loop until the database build has ended.
// The exit status: 0 when the database was built, 1 when the build could not start or failed.
int FinishUnattendedRun(frmMain& w);

}  // namespace cvx
