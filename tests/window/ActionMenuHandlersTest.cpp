#include "fakes/frmMainTestAccess.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ActionMenuFixture.h"
#include "target/ResultEntries.h"
#include "window/layout/PageSwitching.h"
#include "window/layout/TwipsScale.h"

namespace cvx {
namespace {

class ActionMenuHandlers : public ActionMenuFixture {
 protected:
  void OpenDefaultMenu(Qt::MouseButton button = Qt::LeftButton) {
    SwitchPage(ui(), s().pages.ActiveTab, 1);
    QTest::mouseClick(ui().Command1, button);
  }
  // Right-click on row `row` of the results list, which picks it and opens the action menu.
  void RightClickEntry(int row) {
    QTreeWidget& list = *ui().lstMultiple;
    QTest::mouseClick(list.viewport(), Qt::RightButton, {},
                      list.visualItemRect(list.topLevelItem(row)).center());
  }
  void ExpectInventoryRefused() {
    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_EQ(h.prompter.messages[0].text,
              "In order to invoke the Inventory function either the IP name or the IP address\r\n"
              "of the Inventory Server must be entered.");
    EXPECT_EQ(h.prompter.messages[0].title, "Warning!");
    EXPECT_EQ(h.prompter.messages[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(s().pages.ActiveTab, 2);
    EXPECT_EQ(s().pages.ActiveSettingsTab, 1);
    EXPECT_EQ(Panel2(), "");
    EXPECT_TRUE(Launched().empty());
    h.prompter.messages.clear();
  }
  std::string HistoryClass(const std::string& key) {
    const HistoryEntry* entry = s().History.Find(key);
    return entry ? entry->className : "(none)";
  }
};

TEST_F(ActionMenuHandlers, ChatFromTheActionMenuRunsOnceAndLeavesTheDefault) {
  s().actions.DefaultAction = "RV";
  ClickNode(kWs01, Qt::RightButton);
  // Either mouse button chooses an entry.
  Choose(menus().mnuMain, menus().mnuCH, Qt::RightButton);
  EXPECT_FALSE(menus().mnuMain->isVisible());
  ASSERT_EQ(Launched(), std::vector{Command("desktop.exe", "WS01.SALES.ACME", "Chat")});
  EXPECT_EQ(s().target.TargetName, kWs01);
  EXPECT_EQ(HistoryClass(kWs01), "Workstation");
  EXPECT_EQ(s().actions.DefaultAction, "RV");
  EXPECT_EQ(ui().cmdRC->text(), "Remote View");

  ui().cmdRC->click();  // the button still performs the default
  EXPECT_EQ(Launched().back(), Command("wviewnt.exe", "WS01.SALES.ACME", "Remote View"));
}

// A first start has no server chosen: every action says so as a missing program does, and the
// status bar keeps no "Connecting ...".
TEST_F(ActionMenuHandlers, NoServerChosenGivesTheLaunchStepsMessage) {
  ui().cmbServerlist->setCurrentIndex(-1);
  for (QAction* action : {menus().mnuRC, menus().mnuCH}) {
    SwitchPage(ui(), s().pages.ActiveTab, 1);
    ClickNode(kWs01, Qt::RightButton);
    Choose(menus().mnuMain, action);
    ASSERT_EQ(h.prompter.messages.size(), 1u);
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith("Could not find files needed to launch"));
    EXPECT_EQ(h.prompter.messages[0].title, "Warning!");
    EXPECT_EQ(h.prompter.messages[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(s().pages.ActiveTab, 2);
    EXPECT_EQ(s().pages.ActiveSettingsTab, 1);
    EXPECT_EQ(Panel2(), "");
    h.prompter.messages.clear();
  }
  EXPECT_TRUE(Launched().empty());
}

TEST_F(ActionMenuHandlers, PingRMAgentBecomesTheDefaultAndFormsTheCaptionPing) {
  ClickNode(kWs01, Qt::LeftButton);
  OpenDefaultMenu(Qt::RightButton);  // any button opens the menu
  Choose(menus().mnuDefaultAction, menus().mnuDefPing);
  EXPECT_EQ(s().actions.DefaultAction, "RP");
  EXPECT_EQ(ui().cmdRC->text(), "Ping RM Agent");
  EXPECT_EQ(w().focusWidget(), ui().cmdRC);
  EXPECT_TRUE(Launched().empty());

  ui().cmdRC->click();
  EXPECT_EQ(Launched(), std::vector{Command("desktop.exe", "WS01.SALES.ACME", "Ping")});
}

TEST_F(ActionMenuHandlers, InventoryWithoutItsServerIsRefusedFromBothMenus) {
  ui().txtInvServer->clear();
  s().actions.DefaultAction = "CH";
  SwitchSettingsPage(ui(), s().pages.ActiveSettingsTab, 3);

  ClickNode(kWs01, Qt::RightButton);
  ASSERT_EQ(ui().cmdRC->text(), "Chat");
  Choose(menus().mnuMain, menus().mnuRI);
  ExpectInventoryRefused();
  EXPECT_EQ(s().actions.DefaultAction, "CH");  // restored after the refusal too
  EXPECT_EQ(HistoryClass(kWs01), "(none)");

  SwitchSettingsPage(ui(), s().pages.ActiveSettingsTab, 3);
  OpenDefaultMenu();
  Choose(menus().mnuDefaultAction, menus().mnuDefInventory);
  ExpectInventoryRefused();
  EXPECT_EQ(s().actions.DefaultAction, "CH");
  EXPECT_EQ(ui().cmdRC->text(), "Chat");
}

TEST_F(ActionMenuHandlers, InventoryWithItsServerWorksFromBothMenus) {
  ui().txtInvServer->setText("10.1.1.5");
  ClickNode(kWs01, Qt::RightButton);
  Choose(menus().mnuMain, menus().mnuRI);
  EXPECT_EQ(Launched(), std::vector{Command("desktop.exe", "WS01.SALES.ACME", "Inventory") +
                                    R"( -d"10.1.1.5")"});
  EXPECT_EQ(s().actions.DefaultAction, "RC");

  OpenDefaultMenu();
  Choose(menus().mnuDefaultAction, menus().mnuDefInventory);
  EXPECT_EQ(s().actions.DefaultAction, "RI");
  EXPECT_EQ(ui().cmdRC->text(), "Inventory");
  EXPECT_TRUE(h.prompter.messages.empty());
}

TEST_F(ActionMenuHandlers, OnTheResultsListWorkstationsStartHitsResolveAndNotesDoNothing) {
  const std::string ws02 = kSales + R"(\WS02)";
  ResultEntries entries;
  entries.Add(
      {"", "Workstation not in database: IPX 00000001:0000000000AA:4006", kIconWorkstation});
  entries.Add({"", "User not logged in!", kIconUser});
  entries.Add({kWs01, "WS01.SALES.ACME", kIconWorkstation});
  entries.Add({ws02, "WS02.SALES.ACME", kIconUser});  // a search hit: every class gets this icon
  ShowResultEntries(*Access::ui(w()).lstMultiple, Access::images(w()), entries);

  for (int note : {0, 1}) {
    RightClickEntry(note);
    Choose(menus().mnuMain, menus().mnuRC);
  }
  EXPECT_TRUE(Launched().empty());
  EXPECT_EQ(s().target.TargetName, "");
  EXPECT_EQ(s().History.size(), 0u);

  RightClickEntry(2);
  Choose(menus().mnuMain, menus().mnuCH);
  EXPECT_EQ(Launched(), std::vector{Command("desktop.exe", "WS01.SALES.ACME", "Chat")});
  EXPECT_EQ(HistoryClass(kWs01), "Workstation");

  // From the keyboard the selected entry is picked, and the menu opens at it.
  QTreeWidget& list = *ui().lstMultiple;
  list.setCurrentItem(list.topLevelItem(3));
  s().target.pickedBy = PickSource::kNone;
  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(s().target.pickedBy, PickSource::kResults);
  ASSERT_TRUE(menus().mnuMain->isVisible());
  EXPECT_EQ(menus().mnuMain->pos(),
            list.viewport()->mapToGlobal(list.visualItemRect(list.topLevelItem(3)).bottomLeft()));
  Choose(menus().mnuMain, menus().mnuRV);
  EXPECT_EQ(Launched().back(), Command("wviewnt.exe", "WS02.SALES.ACME", "Remote View"));
  EXPECT_EQ(HistoryClass(ws02), "Workstation");
  EXPECT_EQ(s().actions.DefaultAction, "RC");
}

TEST_F(ActionMenuHandlers, EntriesChosenWithNothingToActOnDoNothing) {
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
  EXPECT_TRUE(Launched().empty());
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(s().actions.DefaultAction, "RC");
}

TEST_F(ActionMenuHandlers, TheDefaultMenuOpensJustBelowTheActionButtonWhereverItIs) {
  QPushButton& button = *ui().cmdRC;
  for (QSize size : {w().size(), QSize(700, 500)}) {
    w().resize(size);
    const TwipsScale t(w());
    const QPoint at = Access::menus(w()).DefaultActionMenuPosition();
    const QPoint corner = button.mapTo(&w(), QPoint());
    const int pixel = t.ToTwipsX(1);  // the position is rounded to whole pixels
    EXPECT_NEAR(t.ToTwipsX(at.x()), t.ToTwipsX(corner.x()) + 50, pixel);
    EXPECT_NEAR(t.ToTwipsY(at.y()), t.ToTwipsY(corner.y() + button.height()) + 50, pixel);
    EXPECT_GT(at.y(), corner.y() + button.height());

    OpenDefaultMenu(Qt::MiddleButton);
    EXPECT_TRUE(menus().mnuDefaultAction->isVisible());
    EXPECT_EQ(menus().mnuDefaultAction->pos(), w().mapToGlobal(at));
    menus().mnuDefaultAction->hide();
  }
  // The keyboard opens it too.
  QTest::keyClick(ui().Command1, Qt::Key_Space);
  EXPECT_TRUE(menus().mnuDefaultAction->isVisible());
  menus().mnuDefaultAction->hide();
  // While a name is typed the button is disabled and opens nothing.
  ui().Command1->setEnabled(false);
  OpenDefaultMenu();
  EXPECT_FALSE(menus().mnuDefaultAction->isVisible());
}

TEST(ActionMenusWithoutExtendedActions, OfferOnlyRemoteControlAndNoDefaultMenu) {
  MainWindowHarness h(CVX_DEMO_DIR, "LEGACY", {});
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  frmMain& w = *h.window;
  MainWindowControls& ui = Access::ui(w);
  QStringList offered;
  for (const QAction* entry : ui.menus.mnuMain->actions()) {
    if (entry->isVisible() && entry->isEnabled()) offered << entry->objectName();
  }
  EXPECT_EQ(offered, QStringList{"mnuRC"});
  EXPECT_TRUE(ui.Command1->isHidden());

  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  ui.cmbServerlist->setCurrentText("FS3");
  const std::string adm01 = R"(NDS:\\LEGACY\OLDCO\ADMIN\ADM01)";
  Access::browserRC(w).treeExp(adm01);
  QTreeWidget& tree = *ui.TreeViewRC;
  QTreeWidgetItem* node = FindNode(tree, adm01);
  ASSERT_NE(node, nullptr);
  QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.visualItemRect(node).center());
  QMenu* menu = ui.menus.mnuMain;
  ASSERT_TRUE(menu->isVisible());
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(ui.menus.mnuRC).center());
  EXPECT_EQ(
      h.launcher.launched,
      std::vector<std::string>{
          R"(\\FS3\sys\public\win32\wviewnt.exe -w"ADM01.ADMIN.OLDCO" -n"LEGACY" -c"Remote Control")"});
}

}  // namespace
}  // namespace cvx
