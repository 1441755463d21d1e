#include "actions/ActionMenuChoice.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

// The window tests drive the menus end to end; these check the rules they do not reach.

TEST(ActionMenuChoice, EveryEntryOfBothMenusStandsForItsCatalogueAction) {
  for (const RemoteAction& action : ActionCatalogue()) {
    const auto once = ActionOfMenuEntry(action.actionMenuEntry);
    const auto def = ActionOfMenuEntry(action.defaultMenuEntry);
    ASSERT_TRUE(once && def) << action.code;
    EXPECT_EQ(once->action, &action);
    EXPECT_EQ(once->menu, ActionMenuKind::kRunOnce);
    EXPECT_EQ(def->action, &action);
    EXPECT_EQ(def->menu, ActionMenuKind::kDefault);
  }
  // The container menu's entries, and names in another letter case, stand for nothing.
  EXPECT_FALSE(ActionOfMenuEntry("mnuRefreshTreeBranch"));
  EXPECT_FALSE(ActionOfMenuEntry("mnuRE"));
}

TEST(ActionMenuChoice, OnlyInventoryNeedsItsServerAndABlankOneIsUsedAsTyped) {
  for (const RemoteAction& action : ActionCatalogue()) {
    EXPECT_EQ(RefusedForInventoryServer(action, ""), action.code == "RI") << action.code;
  }
  EXPECT_FALSE(RefusedForInventoryServer(*FindAction("RI"), " "));
  EXPECT_FALSE(ChooseDefaultAction(*FindAction("RI"), " ").refused);
  // Refused before the pick is looked at: there may be none.
  EXPECT_EQ(PlanActionMenuEntry(*FindAction("RI"), "", {}).start, ActionMenuStart::kRefused);
}

TEST(ActionMenuChoice, AResultsHitOfUnknownClassIsRecordedWithItsIcon) {
  const std::string ws01 = R"(NDS:\\CORP\ACME\SALES\WS01)";
  const ActionMenuOutcome hit =
      PlanActionMenuEntry(*FindAction("RC"), "", {true, true, ws01, "User", {}});
  EXPECT_EQ(hit.start, ActionMenuStart::kRunRemoteAction);
  EXPECT_EQ(hit.targetClass, "User");
}

TEST(ActionMenuChoice, OnlyUsersAndWorkstationsOpenTheActionMenu) {
  EXPECT_EQ(MenuForNodeImage("User"), BrowserNodeMenu::kActionMenu);
  EXPECT_EQ(MenuForNodeImage("Workstation"), BrowserNodeMenu::kActionMenu);
  for (const char* image : {"Alias", "Top", "Organization", "Organizational Unit", "Country", ""})
    EXPECT_EQ(MenuForNodeImage(image), BrowserNodeMenu::kContainerMenu) << image;
}

}  // namespace
}  // namespace cvx
