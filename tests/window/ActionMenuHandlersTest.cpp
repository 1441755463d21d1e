#include "fakes/frmMainTestAccess.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "ActionMenuFixture.h"
#include "target/ResultEntries.h"
#include "window/layout/PageSwitching.h"

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
    EXPECT_TRUE(h.prompter.messages[0].text.startsWith("In order to invoke the Inventory"));
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
  QTest::keyClick(&list, Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_TRUE(menus().mnuMain->isVisible());
  EXPECT_EQ(menus().mnuMain->pos(),
            list.viewport()->mapToGlobal(list.visualItemRect(list.topLevelItem(3)).bottomLeft()));
  Choose(menus().mnuMain, menus().mnuRV);
  ASSERT_EQ(Launched().size(), 2u);
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

TEST_F(ActionMenuHandlers, TheDefaultMenuOpensBelowTheButtonUnlessANameIsTyped) {
  OpenDefaultMenu(Qt::MiddleButton);
  ASSERT_TRUE(menus().mnuDefaultAction->isVisible());
  EXPECT_GT(menus().mnuDefaultAction->y(),
            ui().cmdRC->mapToGlobal(QPoint(0, ui().cmdRC->height())).y());
  menus().mnuDefaultAction->hide();
  QTest::keyClick(ui().Command1, Qt::Key_Space);  // the keyboard opens it too
  EXPECT_TRUE(menus().mnuDefaultAction->isVisible());
  menus().mnuDefaultAction->hide();
  // While a name is typed the button is disabled and opens nothing.
  ui().Command1->setEnabled(false);
  OpenDefaultMenu();
  EXPECT_FALSE(menus().mnuDefaultAction->isVisible());
}

}  // namespace
}  // namespace cvx
