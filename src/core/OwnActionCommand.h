#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/OwnAction.h"

namespace cvx {

// What an own action is started on.
struct OwnActionTarget {
  std::string_view workstation;  // full name in browser form, "NDS:\\CORP\ACME\SALES\WS01"
  std::string_view user;         // the user it was found through; empty for a workstation target
  std::optional<std::string> ipv4;
};

// The program's arguments to start (the program first), or why nothing starts.
struct OwnActionCommand {
  std::vector<std::string> arguments;     // empty when refused
  std::optional<std::string> statusText;  // the refusal, for the status bar or stderr
};

// Fills the action's field codes in for the target, inside the arguments they stand in, so a
// value never splits or joins arguments. An argument that is a lone field code with an empty
// value (%u for a workstation target) is left out. Refused, with a status text:
//   - a target without a workstation below the tree;
//   - %a used while no IPv4 address is known;
//   - a value holding a control character (a line end would reach the program as data it may
//     read as a second line of input, a terminal escape as a command);
//   - a value that would start an argument with "-" (also where only empty values stand before
//     it, "%u%w" for a workstation): the program would read it as an option. A "-" the action
//     itself starts an argument with is its own option and stays.
OwnActionCommand FormOwnActionCommand(const OwnAction& action, const OwnActionTarget& target);

}  // namespace cvx
