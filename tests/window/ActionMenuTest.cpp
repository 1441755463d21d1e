// The action menus of the real window, with two own actions after the catalogue's.

#include "DemoWindow.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;
const std::string kActions =
    "[action Probe]\nCaption=Probe & more\nExec=probe %a %w %u\n"
    "[action Label]\nExec=probe \"--label=%w on %n\"\n";

class ActionMenu : public DemoWindow {
 protected:
  explicit ActionMenu(const std::string& tree = "CORP") : DemoWindow(tree, kActions) {}

  const ActionMenus& menus() { return ui().menus; }
  static QAction* Own(const QMenu* menu, const QString& name) {
    return menu->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
  }
  const std::vector<Args>& Started() { return h.launcher.launchedArguments; }
  bool LaunchedLast(const std::string& dotted, const std::string& caption) {
    return Has(Launched(), "-w\"" + dotted + "\"") && Has(Launched(), "-c\"" + caption + "\"");
  }
  void OpenDefaultMenu(Qt::MouseButton button = Qt::LeftButton) {
    SwitchPage(ui(), s().pages.ActiveTab, 1);
    QTest::mouseClick(ui().Command1, button);
  }
  // A right-click on a row of the results list picks it and opens the action menu.
  void RightClickEntry(int row) {
    QTreeWidget& list = *ui().lstMultiple;
    QTest::mouseClick(list.viewport(), Qt::RightButton, {},
                      list.visualItemRect(list.topLevelItem(row)).center());
  }
  // A refusal: its box, the settings page where the server goes, nothing started.
  void ExpectRefused(const QString& text) {
    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith(text));
    EXPECT_EQ(s().pages.ActiveTab, 2);
    EXPECT_EQ(s().pages.ActiveSettingsTab, 1);
    EXPECT_EQ(Panel2(), "");  // no "Connecting ..." left behind
    EXPECT_EQ(Launched(), "");
    h.prompter.messages.clear();
  }
};

TEST_F(ActionMenu, AnEntryRunsOnceOnTheNodeAndLeavesTheDefault) {
  s().actions.DefaultAction = "RV";
  ClickNode(kWs01, Qt::RightButton);
  Choose(menus().mnuMain, menus().mnuCH, Qt::RightButton);  // either button chooses
  EXPECT_FALSE(menus().mnuMain->isVisible());
  EXPECT_TRUE(LaunchedLast("WS01.SALES.ACME", "Chat")) << Launched();
  ASSERT_TRUE(s().History.Find(kWs01));
  EXPECT_EQ(s().History.Find(kWs01)->className, "Workstation");
  EXPECT_EQ(ui().cmdRC->text(), "Remote View");
  ui().cmdRC->click();  // the button still performs the default
  EXPECT_TRUE(LaunchedLast("WS01.SALES.ACME", "Remote View")) << Launched();
}

TEST_F(ActionMenu, NoInventoryServerOrNoServerChosenIsRefused) {
  ui().txtInvServer->clear();
  s().actions.DefaultAction = "CH";
  SwitchSettingsPage(ui(), s().pages.ActiveSettingsTab, 3);
  ClickNode(kWs01, Qt::RightButton);
  Choose(menus().mnuMain, menus().mnuRI);
  ExpectRefused("In order to invoke the Inventory");
  EXPECT_EQ(s().actions.DefaultAction, "CH");  // restored after the refusal too
  EXPECT_FALSE(s().History.Find(kWs01));
  SwitchSettingsPage(ui(), s().pages.ActiveSettingsTab, 3);
  OpenDefaultMenu();
  Choose(menus().mnuDefaultAction, menus().mnuDefInventory);
  ExpectRefused("In order to invoke the Inventory");
  EXPECT_EQ(ui().cmdRC->text(), "Chat");
  // A first start has no server chosen: every catalogue action says so as a missing program does.
  ui().cmbServerlist->setCurrentIndex(-1);
  for (QAction* action : {menus().mnuRC, menus().mnuCH}) {
    SwitchPage(ui(), s().pages.ActiveTab, 1);
    ClickNode(kWs01, Qt::RightButton);
    Choose(menus().mnuMain, action);
    ExpectRefused("Could not find files needed to launch");
  }
}

TEST_F(ActionMenu, TheDefaultMenuOpensBelowTheButtonAndItsEntryBecomesTheDefault) {
  ClickNode(kWs01);
  OpenDefaultMenu(Qt::MiddleButton);  // any button opens it
  ASSERT_TRUE(menus().mnuDefaultAction->isVisible());
  EXPECT_GT(menus().mnuDefaultAction->y(),
            ui().cmdRC->mapToGlobal(QPoint(0, ui().cmdRC->height())).y());
  Choose(menus().mnuDefaultAction, menus().mnuDefPing);
  EXPECT_EQ(ui().cmdRC->text(), "Ping RM Agent");
  EXPECT_EQ(w().focusWidget(), ui().cmdRC);
  EXPECT_EQ(Launched(), "");
  ui().cmdRC->click();
  EXPECT_TRUE(LaunchedLast("WS01.SALES.ACME", "Ping")) << Launched();

  QTest::keyClick(ui().Command1, Qt::Key_Space);  // the keyboard opens it too
  Choose(menus().mnuDefaultAction, Own(menus().mnuDefaultAction, "mnuDefOwn:Label"));
  EXPECT_EQ(ui().cmdRC->text(), "Label");
  ui().cmdRC->click();
  EXPECT_EQ(Started(), (std::vector<Args>{{"probe", "--label=WS01.SALES.ACME on CORP"}}));
  // While a name is typed the button is disabled and opens nothing.
  ui().Command1->setEnabled(false);
  OpenDefaultMenu();
  EXPECT_FALSE(menus().mnuDefaultAction->isVisible());
}

// On the results list a hit of any class is resolved when chosen, a listed login keeps its user and
// address (MMILLER's TCP login 10.1.1.103 is WS01's here), and a note does nothing.
TEST_F(ActionMenu, OnTheResultsListHitsAndLoginsStartAndNotesDoNothing) {
  QTreeWidget& list = *ui().lstMultiple;
  ASSERT_TRUE(Search("WS0"));
  list.setCurrentItem(list.topLevelItem(1));  // from the keyboard: the selected entry, at it
  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_TRUE(menus().mnuMain->isVisible());
  EXPECT_EQ(menus().mnuMain->pos(),
            list.viewport()->mapToGlobal(list.visualItemRect(list.topLevelItem(1)).bottomLeft()));
  Choose(menus().mnuMain, menus().mnuRV);
  EXPECT_TRUE(LaunchedLast("WS02.SALES.ACME", "Remote View")) << Launched();
  ASSERT_TRUE(s().History.Find(kSales + R"(\WS02)"));  // the hit, resolved
  EXPECT_EQ(s().History.Find(kSales + R"(\WS02)")->className, "Workstation");

  AddRecord(kSales + R"(\WS02)", "IPX 00001001:00104B100102:4005");
  AddRecord(kWs01, "TCP 10.1.1.103");
  for (const char* user : {"AWHITE", "LGARCIA"}) {  // not logged in; a login not in the database
    ASSERT_TRUE(Search(user));
    RightClickEntry(0);
    Choose(menus().mnuMain, menus().mnuRC);
  }
  EXPECT_EQ(h.launcher.launched.size(), 1u);
  ASSERT_TRUE(Search("MMILLER"));
  EXPECT_EQ(Results(), (QStringList{"WS02.SALES.ACME", "WS01.SALES.ACME"}));
  EXPECT_EQ(list.headerItem()->text(0), "Workstation(s) currently in use ...");
  EXPECT_EQ(Panel2().toStdString(), "Context: " + kSales);
  RightClickEntry(1);
  Choose(menus().mnuMain, Own(menus().mnuMain, "mnuOwn:Probe"));
  EXPECT_EQ(Started(),
            (std::vector<Args>{{"probe", "10.1.1.103", "WS01.SALES.ACME", "MMILLER.SALES.ACME"}}));
  // A double click starts the default there.
  list.setCurrentItem(list.topLevelItem(0));
  emit list.itemDoubleClicked(list.topLevelItem(0), 0);
  EXPECT_TRUE(LaunchedLast("WS02.SALES.ACME", "Remote Control")) << Launched();
}

TEST_F(ActionMenu, EntriesChosenWithNothingToActOnDoNothing) {
  ui().txtInvServer->setText("10.1.1.5");
  auto chooseEvery = [this] {
    for (QAction* entry : menus().mnuMain->actions()) entry->trigger();
  };
  s().target.pickedBy = PickSource::kNone;
  rc().setCurrentItem(nullptr);
  chooseEvery();
  Access::browserRC(w()).treeExp(kSales);
  rc().setCurrentItem(Node(kSales));  // a container is no target
  chooseEvery();
  s().target.pickedBy = PickSource::kResults;
  ui().lstMultiple->clear();
  chooseEvery();
  EXPECT_EQ(Launched(), "");
  EXPECT_TRUE(Started().empty());
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(s().actions.DefaultAction, "RC");
}

// An own action as the default is stored by its name and known again at the next start (a name
// that is no action falls back as any unknown stored value does).
TEST_F(ActionMenu, AnOwnDefaultIsStoredByName) {
  s().actions.DefaultAction = "Probe";
  Access::settings(w()).SaveSettings();
  MainWindowHarness again(OpenDirectoryClient(CVX_DEMO_DIR, "CORP"), {}, &h.ownStore,
                          db / "actions.ini");
  ASSERT_EQ(again.Load(), StartUpOutcome::kReady);
  EXPECT_EQ(Access::ui(*again.window).cmdRC->text(), "Probe && more");
}

// Own actions need nothing from the schema: a tree without the extended actions offers them too.
class WithoutExtendedActions : public ActionMenu {
 protected:
  WithoutExtendedActions() : ActionMenu("LEGACY") {}
};

TEST_F(WithoutExtendedActions, OwnActionsAreOfferedBesideRemoteControl) {
  EXPECT_FALSE(menus().mnuRV->isVisible() || menus().mnuRI->isVisible());
  EXPECT_TRUE(ui().txtInvServer->isHidden());
  EXPECT_FALSE(ui().Command1->isHidden());
  QStringList offered;
  for (const QAction* entry : menus().mnuDefaultAction->actions()) {
    if (entry->isVisible() && !entry->isSeparator()) offered << entry->text();
  }
  EXPECT_EQ(offered, (QStringList{"Remote Control", "Probe && more", "Label"}));
  Own(menus().mnuDefaultAction, "mnuDefOwn:Label")->trigger();
  EXPECT_EQ(ui().cmdRC->text(), "Label");
}

}  // namespace
}  // namespace cvx
