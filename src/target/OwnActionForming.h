#pragma once

#include <optional>
#include <string>

#include "core/OwnAction.h"
#include "core/OwnActionCommand.h"
#include "directory/DirectoryControl.h"
#include "target/LoginOrigin.h"

namespace cvx {

// A workstation's IPv4 address: the first among its "WM:Network Address" values, then its
// "Network Address" values. Nothing when none is one or the object cannot be read.
std::optional<std::string> WorkstationIpv4(const DirectoryControl& dir,
                                           const std::string& workstation);

// The command of an own action on a workstation, reached through login (empty when the
// workstation itself was the target). %a is the IPv4 address of that login; a login without one
// (over IPX) and a workstation target give the workstation's own address, read from the
// directory only when the action uses %a. %u is the login's user.
OwnActionCommand FormOwnAction(const OwnAction& action, const DirectoryControl& dir,
                               const std::string& workstation, const LoginOrigin& login);

}  // namespace cvx
