#pragma once

#include "directory/DirectoryControl.h"

namespace cvx {

class frmMain;

// Starts a build of the workstation database below the chosen context: the command-line
// context, else the node selected in TreeViewWS (nothing happens without one). The file is
// replaced for a command-line build or when "Append to Existing Database" is not chosen. A
// missing database directory ends the tool after its message; one that cannot be written is
// reported and the tool stays. While the build runs the button is disabled.
void makeDB(frmMain& w);

// The completion of the build's search on NWDirWSdb: writes the records in batches, showing
// progress in status panel 2, then "Found: N Workstation(s)".
void NWDirWSdb_SearchCompleted(frmMain& w, const SearchOutcome& outcome);

// cmdBuildWSdb starts makeDB; the state under the button follows the page being shown.
void ConnectDatabaseBuild(frmMain& w);

}  // namespace cvx
