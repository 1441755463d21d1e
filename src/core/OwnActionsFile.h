#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/OwnAction.h"

namespace cvx {

// What the actions file gave: the actions that are fine, in the file's order, and one message per
// action left out (or per problem of the file itself), each "FILE:LINE: text".
struct OwnActionsFile {
  OwnActionList actions;
  std::vector<std::string> problems;
};

// Reads the text of an actions file, one action per section:
//   [action SSH]
//   Caption=SSH terminal
//   Exec=x-terminal-emulator -e ssh admin@%a
// A UTF-8 byte-order mark at the start is skipped. Lines starting with # are comments; blanks
// around "=" are ignored; keys starting with "X-" and localized keys (Caption[de]) are skipped. An
// action is left out, with the message of its first fault, when its section holds an unknown key, a
// line that is no key=value, a key given twice, no or an empty Exec, an Exec the quoting rules
// cannot read (see SplitDesktopExec), an unknown field code, a program name holding "=" or a field
// code, or a control character; or when its name is empty, used by an earlier section, or clashes
// with a catalogue code in any letter case.
OwnActionsFile ParseOwnActions(std::string_view text, const std::string& fileName);

// Reads the file at path. A file that does not exist (or an empty path) holds no actions and is
// no problem; one that cannot be read is one problem.
OwnActionsFile ReadOwnActions(const std::string& path);

}  // namespace cvx
