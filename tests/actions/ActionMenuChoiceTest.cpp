#include "actions/ActionMenuChoice.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

const RemoteAction& Action(std::string_view code) {
  const RemoteAction* action = FindAction(code);
  EXPECT_NE(action, nullptr) << code;
  return *action;
}

const std::string kWs01 = R"(NDS:\\CORP\ACME\SALES\WS01)";

TEST(ActionMenuChoice, EveryEntryOfBothMenusStandsForItsCatalogueAction) {
  for (const RemoteAction& action : ActionCatalogue()) {
    const auto once = ActionOfMenuEntry(action.actionMenuEntry);
    ASSERT_TRUE(once) << action.code;
    EXPECT_EQ(once->action, &action);
    EXPECT_EQ(once->menu, ActionMenuKind::kRunOnce);
    const auto def = ActionOfMenuEntry(action.defaultMenuEntry);
    ASSERT_TRUE(def) << action.code;
    EXPECT_EQ(def->action, &action);
    EXPECT_EQ(def->menu, ActionMenuKind::kDefault);
  }
  EXPECT_EQ(ActionOfMenuEntry("mnuFT")->action->code, "RF");
  EXPECT_EQ(ActionOfMenuEntry("mnuDefPing")->action->code, "RP");
  // The container menu's entries and names in another letter case stand for nothing.
  EXPECT_FALSE(ActionOfMenuEntry("mnuRefreshTreeBranch"));
  EXPECT_FALSE(ActionOfMenuEntry("mnuRE"));
  EXPECT_FALSE(ActionOfMenuEntry(""));
}

TEST(ActionMenuChoice, OnlyInventoryNeedsItsServerAndABlankOneCounts) {
  EXPECT_TRUE(RefusedForInventoryServer(Action("RI"), ""));
  EXPECT_FALSE(RefusedForInventoryServer(Action("RI"), " "));  // used as typed
  EXPECT_FALSE(RefusedForInventoryServer(Action("RI"), "10.1.1.5"));
  for (const RemoteAction& action : ActionCatalogue()) {
    if (action.code != "RI") {
      EXPECT_FALSE(RefusedForInventoryServer(action, "")) << action.code;
    }
  }
  EXPECT_EQ(InventoryServerMissingMessage(),
            "In order to invoke the Inventory function either the IP name or the IP address\r\n"
            "of the Inventory Server must be entered.");
  EXPECT_EQ(kInventoryWarningTitle, "Warning!");
}

TEST(ActionMenuChoice, TheDefaultMenuSetsTheCodeUnlessInventoryIsRefused) {
  EXPECT_EQ(ChooseDefaultAction(Action("RP"), "").newDefault, "RP");
  EXPECT_FALSE(ChooseDefaultAction(Action("RP"), "").refused);
  const DefaultActionChoice refused = ChooseDefaultAction(Action("RI"), "");
  EXPECT_TRUE(refused.refused);
  EXPECT_EQ(refused.newDefault, "");
  EXPECT_EQ(ChooseDefaultAction(Action("RI"), "inv.acme").newDefault, "RI");
}

TEST(ActionMenuChoice, ABrowserPickRunsItsUserOrWorkstationAndNothingElse) {
  const ActionMenuOutcome ws =
      PlanActionMenuEntry(Action("CH"), "", {false, true, kWs01, "Workstation", {}});
  EXPECT_EQ(ws.start, ActionMenuStart::kRunRemoteAction);
  EXPECT_EQ(ws.fullName, kWs01);
  EXPECT_EQ(ws.targetName, kWs01);
  EXPECT_EQ(ws.targetClass, "Workstation");

  const std::string user = R"(NDS:\\CORP\ACME\SALES\JSMITH)";
  const ActionMenuOutcome u =
      PlanActionMenuEntry(Action("RV"), "", {false, true, user, "User", {}});
  EXPECT_EQ(u.start, ActionMenuStart::kRunRemoteAction);
  EXPECT_EQ(u.targetClass, "User");

  // No node, or one the menu never opens on.
  EXPECT_EQ(PlanActionMenuEntry(Action("RC"), "", {false, false, {}, {}, {}}).start,
            ActionMenuStart::kNothing);
  EXPECT_EQ(
      PlanActionMenuEntry(Action("RC"), "", {false, true, R"(NDS:\\CORP\ACME)", "Organization", {}})
          .start,
      ActionMenuStart::kNothing);
}

TEST(ActionMenuChoice, AResultsPickResolvesUsersStartsWorkstationsAndSkipsNotes) {
  // A search hit carries the "User" icon whatever its class; the history gets the real class.
  const ActionMenuOutcome hit =
      PlanActionMenuEntry(Action("RC"), "", {true, true, kWs01, "User", "Workstation"});
  EXPECT_EQ(hit.start, ActionMenuStart::kRunRemoteAction);
  EXPECT_EQ(hit.targetClass, "Workstation");

  const ActionMenuOutcome login =
      PlanActionMenuEntry(Action("RD"), "", {true, true, kWs01, "Workstation", {}});
  EXPECT_EQ(login.start, ActionMenuStart::kBuildAndLaunch);
  EXPECT_EQ(login.fullName, kWs01);
  EXPECT_EQ(login.targetClass, "Workstation");

  EXPECT_EQ(
      PlanActionMenuEntry(Action("RC"), "", {true, true, "", "Workstation", {}})  // not in database
          .start,
      ActionMenuStart::kNothing);
  EXPECT_EQ(PlanActionMenuEntry(Action("RC"), "", {true, true, "", "User", {}}).start,
            ActionMenuStart::kNothing);  // "User not logged in!"
  EXPECT_EQ(PlanActionMenuEntry(Action("RC"), "", {true, false, {}, {}, {}}).start,
            ActionMenuStart::kNothing);
}

TEST(ActionMenuChoice, InventoryWithoutServerIsRefusedBeforeThePickIsLookedAt) {
  for (bool fromResults : {false, true}) {
    EXPECT_EQ(PlanActionMenuEntry(Action("RI"), "", {fromResults, false, {}, {}, {}}).start,
              ActionMenuStart::kRefused);
  }
  EXPECT_EQ(
      PlanActionMenuEntry(Action("RI"), "10.1.1.5", {true, true, kWs01, "Workstation", {}}).start,
      ActionMenuStart::kBuildAndLaunch);
}

TEST(ActionMenuChoice, OnlyUsersAndWorkstationsOpenTheActionMenu) {
  EXPECT_EQ(MenuForNodeImage("User"), BrowserNodeMenu::kActionMenu);
  EXPECT_EQ(MenuForNodeImage("Workstation"), BrowserNodeMenu::kActionMenu);
  for (const char* image : {"Alias", "Top", "Organization", "Organizational Unit", "Country", ""})
    EXPECT_EQ(MenuForNodeImage(image), BrowserNodeMenu::kContainerMenu) << image;
}

}  // namespace
}  // namespace cvx
