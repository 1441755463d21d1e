#pragma once

#include <string>

namespace cvx {

class frmMain;
class ResultEntries;

// Forms the command of the default action for a workstation (recording TargetName and
// TargetClass in the history) and starts it, showing what the start left to show. False when
// nothing was started.
bool BuildAndLaunch(frmMain& w, const std::string& workstationFullName);

// Runs the default action for a target: a workstation at once; a user at the workstation of its
// one login, or its logins listed for a choice. The mouse pointer is the default afterwards.
void RunRemoteAction(frmMain& w, const std::string& fullName);

// The results list's new content, replacing what it held.
void ShowResultEntries(frmMain& w, const ResultEntries& entries);

// A missing or unreadable database: its message, then the settings page of the database.
void ShowDatabaseMessage(frmMain& w, const std::string& text);

}  // namespace cvx
