#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTreeWidget>

#include "fakes/RecordingPrompter.h"
#include "window/MainState.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/ImageListMy.h"
#include "window/controls/MainWindowControls.h"
#include "window/controls/TreeNodes.h"
#include "window/layout/PageSwitching.h"
#include "window/menus/ActionMenuController.h"

namespace cvx {
namespace {

// The launch path stood in for: what it was asked to do, and the default in force meanwhile
// (a box inside the real launch runs a nested event loop, where anything may happen).
struct RecordingActions : TargetActions {
  explicit RecordingActions(const ActionChoice& choice) : choice(choice) {}
  void RunRemoteAction(const std::string& fullName, const std::string& action,
                       const LoginOrigin&) override {
    calls.push_back({fullName, action, choice.DefaultAction});
  }
  bool BuildAndLaunch(const std::string& fullName, const std::string& action,
                      const LoginOrigin&) override {
    calls.push_back({fullName, action, choice.DefaultAction});
    return true;
  }
  int CheckLogin(const std::string&) override { return 0; }

  struct Call {
    std::string fullName, action, defaultMeanwhile;
    bool operator==(const Call&) const = default;
  };
  const ActionChoice& choice;
  std::vector<Call> calls;
};

// An action menu controller over bare controls, without a window around it or any other
// controller: an entry runs its own action once and the default never changes, not even while
// the action runs.
TEST(ControllerAlone, ActionMenuEntryPassesItsActionAndLeavesTheDefault) {
  QMainWindow window;
  MainWindowControls ui = BuildMainWindowControls(&window);
  MainState s;
  s.start.ExtendedActionsAvailable = true;
  DirectoryControls dir;
  RecordingPrompter prompter;
  const Pages pages(ui, s.pages.ActiveTab, s.pages.ActiveSettingsTab);
  RecordingActions actions(s.actions);
  ActionMenuController menus({&window, ui.cmdRC, ui.Command1, ui.txtInvServer, ui.TreeViewRC,
                              ui.lstMultiple, ui.menus, StatusLine(ui.StatusPanel)},
                             {actions, prompter, pages, dir}, s.actions, s.start, s.target);
  const ImageListMy images;
  const std::string ws = R"(NDS:\\CORP\ACME\WS01)";
  const std::string user = R"(NDS:\\CORP\ACME\JSMITH)";
  QTreeWidgetItem* root = AddNode(*ui.TreeViewRC, images, nullptr,
                                  {R"(NDS:\\CORP\ACME)", "ACME", "Organization", "", false});
  AddNode(*ui.TreeViewRC, images, root, {ws, "WS01", "Workstation", ws, false});
  AddNode(*ui.TreeViewRC, images, root, {user, "JSMITH", "User", user, false});

  ui.TreeViewRC->setCurrentItem(FindNode(*ui.TreeViewRC, ws));
  ui.menus.mnuRV->trigger();
  ui.TreeViewRC->setCurrentItem(FindNode(*ui.TreeViewRC, user));
  ui.menus.mnuFT->trigger();
  ui.menus.mnuDefRV->trigger();
  ui.menus.mnuRC->trigger();

  using Call = RecordingActions::Call;
  EXPECT_EQ(actions.calls,
            (std::vector<Call>{{ws, "RV", "RC"}, {user, "RF", "RC"}, {user, "RC", "RV"}}));
  EXPECT_EQ(s.actions.DefaultAction, "RV");
  EXPECT_EQ(s.target.TargetName, user);
  EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace cvx
