#pragma once

#include <span>
#include <string_view>

namespace cvx {

// One remote action: its code and everything that hangs on it. The action runs as a separate
// program, the viewer or the desktop program on the chosen server.
struct RemoteAction {
  std::string_view code;              // "RC"
  std::string_view actionMenuEntry;   // objectName of the entry that runs it once: "mnuRC"
  std::string_view defaultMenuEntry;  // objectName of the entry that makes it the default
  std::string_view buttonCaption;     // the main button's caption while it is the default
  std::string_view programLiteral;    // "wviewnt.exe -w": file name, blank, workstation option
  std::string_view commandCaption;    // the value of "-c"
  bool takesInventoryServer = false;  // adds " -d" with the inventory server
};

// The eight actions in lookup and menu order: RC, RV, RE, RF, CH, RD, RI, RP. This table is the
// only place where codes, captions, menu entries and programs are tied together.
std::span<const RemoteAction> ActionCatalogue();

// Exact, case-sensitive lookup; nullptr for a code outside the catalogue.
const RemoteAction* FindAction(std::string_view code);

// The executable's file name of an action: "wviewnt.exe".
std::string_view ProgramFileName(const RemoteAction& action);

}  // namespace cvx
