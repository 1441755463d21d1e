#pragma once

#include <string>

#include "target/LoginOrigin.h"

namespace cvx {

class frmMain;
class ResultEntries;

// Forms the command of the default action for a workstation (recording TargetName and
// TargetClass in the history) and starts it, showing what the start left to show. False when
// nothing was started. An own action as the default starts its program with its field codes
// filled in for the workstation and the login it was reached through (see FormOwnAction).
bool BuildAndLaunch(frmMain& w, const std::string& workstationFullName,
                    const LoginOrigin& login = {});

// Runs the default action for a target: a workstation at once; a user at the workstation of its
// one login, or its logins listed for a choice. The mouse pointer is the default afterwards.
// login: the login a workstation target was listed for, when it came from the results list.
void RunRemoteAction(frmMain& w, const std::string& fullName, const LoginOrigin& login = {});

// The results list's new content, replacing what it held.
void ShowResultEntries(frmMain& w, const ResultEntries& entries);

// A missing or unreadable database: its message, then the settings page of the database.
void ShowDatabaseMessage(frmMain& w, const std::string& text);

}  // namespace cvx
