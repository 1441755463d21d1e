#pragma once

#include "directory/DirectoryControl.h"

namespace cvx {

class frmMain;

// The action button: acts on the current pick, or searches for the typed name.
void cmdRC_Click(frmMain& w);

// The completion of the target search: several hits listed, one workstation started at once,
// one user resolved to the workstations of its logins, or nothing.
void NWDirUser_SearchCompleted(frmMain& w, const SearchOutcome& outcome);

void ConnectTargetSearch(frmMain& w);

}  // namespace cvx
