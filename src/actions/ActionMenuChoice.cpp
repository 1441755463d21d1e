#include "actions/ActionMenuChoice.h"

namespace cvx {

namespace {

bool IsTargetImage(std::string_view image) {
  return image == "User" || image == "Workstation";
}

}  // namespace

std::optional<MenuEntryAction> ActionOfMenuEntry(std::string_view entryName) {
  for (const RemoteAction& action : ActionCatalogue()) {
    if (action.actionMenuEntry == entryName)
      return MenuEntryAction{&action, ActionMenuKind::kRunOnce};
    if (action.defaultMenuEntry == entryName)
      return MenuEntryAction{&action, ActionMenuKind::kDefault};
  }
  return std::nullopt;
}

bool RefusedForInventoryServer(const RemoteAction& action, std::string_view inventoryServer) {
  return action.takesInventoryServer && inventoryServer.empty();
}

std::string InventoryServerMissingMessage() {
  return "In order to invoke the Inventory function either the IP name or the IP address\r\n"
         "of the Inventory Server must be entered.";
}

DefaultActionChoice ChooseDefaultAction(const RemoteAction& action,
                                        std::string_view inventoryServer) {
  if (RefusedForInventoryServer(action, inventoryServer)) return {true, {}};
  return {false, std::string(action.code)};
}

ActionMenuOutcome PlanActionMenuEntry(const RemoteAction& action, std::string_view inventoryServer,
                                      const ActionMenuPick& pick) {
  if (RefusedForInventoryServer(action, inventoryServer)) {
    ActionMenuOutcome out;
    out.start = ActionMenuStart::kRefused;
    return out;
  }
  return PlanActionMenuPick(pick);
}

ActionMenuOutcome PlanActionMenuPick(const ActionMenuPick& pick) {
  ActionMenuOutcome out;
  // Nothing picked, or a note that names no object: there is nothing to act on.
  if (!pick.selected || pick.key.empty()) return out;
  out.fullName = pick.key;
  out.targetName = pick.key;
  const std::string& className = pick.className.empty() ? pick.image : pick.className;
  if (!pick.fromResultsList) {
    // The action menu opens only on users and workstations; any other node is no target.
    if (!IsTargetImage(pick.image)) return {};
    out.targetClass = className;
    out.start = ActionMenuStart::kRunRemoteAction;
  } else if (pick.image == "User") {
    out.targetClass = className;
    out.start = ActionMenuStart::kRunRemoteAction;
  } else {
    out.targetClass = "Workstation";
    out.start = ActionMenuStart::kBuildAndLaunch;
  }
  return out;
}

BrowserNodeMenu MenuForNodeImage(std::string_view image) {
  return IsTargetImage(image) ? BrowserNodeMenu::kActionMenu : BrowserNodeMenu::kContainerMenu;
}

}  // namespace cvx
