#pragma once

#include <string>

#include "target/LoginOrigin.h"

namespace cvx {

class frmMain;
struct OwnAction;

// Starts an own action on a workstation reached through login (empty: the workstation was the
// target): a refusal (no address, a value with a control character ...) only goes to status
// panel 2 and starts nothing; a formed command is recorded in the history like a catalogue
// action's, and a program that does not start says why in panel 2. False when nothing started.
bool LaunchOwnAction(frmMain& w, const OwnAction& action, const std::string& workstationFullName,
                     const LoginOrigin& login);

}  // namespace cvx
