#pragma once

#include <string>

#include "directory/DirectoryControl.h"

namespace cvx {

class frmMain;

// Starts a build of the workstation database below the chosen context: the command line's
// context for the start-up build of "/dbbuild=", else the node selected in TreeViewWS (nothing
// happens without one). The file is replaced for the command-line build or when "Append to
// Existing Database" is not chosen. When it is replaced, a missing database directory ends the
// tool after its message, and one that cannot be written is reported and the tool stays; an
// append that cannot write says so in panel 2. A context that is not a container is refused.
// While the build runs the button is disabled.
void makeDB(frmMain& w, const std::string& commandLineContext);

// Sets DBPath, when no "/dbpath=" gave it, to the default folder (DefaultDatabaseFolder).
void ChooseDatabaseFolder(frmMain& w);

// The completion of the build's search on NWDirWSdb: writes the records in batches, showing
// progress in status panel 2, then "Found: N Workstation(s)".
void NWDirWSdb_SearchCompleted(frmMain& w, const SearchOutcome& outcome);

// cmdBuildWSdb starts makeDB; the state under the button follows the page being shown.
void ConnectDatabaseBuild(frmMain& w);

}  // namespace cvx
