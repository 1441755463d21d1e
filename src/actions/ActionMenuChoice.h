#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/ActionCatalogue.h"

namespace cvx {

// The two menus whose entries stand for actions: one runs an action once on the object the menu
// was opened on, the other makes an action the default of the main button.
enum class ActionMenuKind { kRunOnce, kDefault };

struct MenuEntryAction {
  const RemoteAction* action = nullptr;
  ActionMenuKind menu = ActionMenuKind::kRunOnce;
};

// The action a menu entry stands for, by the entry's objectName; nothing for any other entry.
std::optional<MenuEntryAction> ActionOfMenuEntry(std::string_view entryName);

// Inventory asks its server for the workstation's data, so it cannot run while the inventory
// server box is empty; every other action can.
bool RefusedForInventoryServer(const RemoteAction& action, std::string_view inventoryServer);
inline constexpr std::string_view kInventoryWarningTitle = "Warning!";
// The message of a refused Inventory request, lines joined by CR LF. After it the window shows the
// settings page holding the inventory server box and empties status panel 2.
std::string InventoryServerMissingMessage();

// What choosing an entry of the default-action menu does: refuse (the default stays), or make
// the action the default, caption the main button after it and give that button the focus.
struct DefaultActionChoice {
  bool refused = false;
  std::string newDefault;  // the code for DefaultAction; empty when refused
};
DefaultActionChoice ChooseDefaultAction(const RemoteAction& action,
                                        std::string_view inventoryServer);

// What the action menu was opened on: the selected node of the remote-control browser, or the
// selected entry of the results list.
struct ActionMenuPick {
  bool fromResultsList = false;  // ResultPickActive
  bool selected = false;         // a node or entry is selected at all
  std::string key;               // its full name; empty for a note of the results list
  std::string image;             // the node's image or the entry's small icon
  // The object's class as the directory reports it, for the history; empty when unknown (the
  // image is used then). A search's hits all carry the "User" icon, workstations included.
  std::string className;
};

enum class ActionMenuStart {
  kNothing,          // nothing selected, a note, or a node that is no target
  kRefused,          // Inventory without an inventory server: its message and settings page
  kRunRemoteAction,  // resolve fullName (a user's logins, or a workstation) and start
  kBuildAndLaunch,   // fullName is a workstation: form the command and start it at once
};

// What an action menu entry does with the pick. The caller puts targetName and targetClass into
// TargetName and TargetClass first (they are what the history records) and runs the action with
// the entry's code in force as DefaultAction, restoring the default afterwards in every case.
struct ActionMenuOutcome {
  ActionMenuStart start = ActionMenuStart::kNothing;
  std::string fullName;
  std::string targetName;
  std::string targetClass;
};
ActionMenuOutcome PlanActionMenuEntry(const RemoteAction& action, std::string_view inventoryServer,
                                      const ActionMenuPick& pick);
// The same for an action that needs no inventory server (the administrator's own actions).
ActionMenuOutcome PlanActionMenuPick(const ActionMenuPick& pick);

// The menu a right-click on a node of the remote-control browser opens: the action menu on a user
// or a workstation, the container menu on any other node (containers, the tree root, aliases).
enum class BrowserNodeMenu { kActionMenu, kContainerMenu };
BrowserNodeMenu MenuForNodeImage(std::string_view image);

}  // namespace cvx
