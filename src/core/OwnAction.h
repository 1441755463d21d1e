#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// One of the administrator's own remote actions, read from the actions file. It starts a program
// of the administrator's choice on the target workstation, next to the catalogue's eight.
struct OwnAction {
  std::string name;     // the section's name, "SSH": what --action= and the stored default hold
  std::string caption;  // the menu entries' and the main button's text; the name when not given
  // Exec cut into arguments, quoting undone, field codes still in. The first is the program: a
  // path, or a bare name looked up in PATH.
  std::vector<std::string> arguments;
  bool usesAddress = false;  // an argument holds %a
  int line = 0;              // the line of its section header, for messages
};

using OwnActionList = std::vector<OwnAction>;

// The action of that name (exact, case-sensitive, as catalogue codes are); nullptr when none.
const OwnAction* FindOwnAction(const OwnActionList& actions, std::string_view name);

// Whether the main button can perform the action of that code or name: one of the catalogue's
// when the extended actions are available (Remote Control always), or an own action, which needs
// nothing from the directory's schema.
bool IsPerformableAction(std::string_view codeOrName, bool extendedActionsAvailable,
                         const OwnActionList& own);

}  // namespace cvx
