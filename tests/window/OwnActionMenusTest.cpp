// The administrator's own actions in the real window over the demo tree: their menu entries after
// the catalogue's, run once from the browser and the results list, as the default action, stored by
// name.

#include <gtest/gtest.h>

#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <fstream>

#include "fakes/MainWindowHarness.h"
#include "fakes/frmMainTestAccess.h"
#include "settings/SettingsSections.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/search/ResultsList.h"
#include "support/RecordAppender.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;

const std::string kSales = R"(NDS:\\CORP\ACME\SALES)";
const std::string kWs01 = kSales + R"(\WS01)";
const std::string kActions =
    "[action Probe]\n"
    "Caption=Probe & more\n"
    "Exec=probe %a %w %u\n"
    "[action Label]\n"
    "Exec=probe \"--label=%w on %n\"\n";

class OwnActionMenus : public ::testing::Test {
 protected:
  explicit OwnActionMenus(const std::string& actions = kActions, const std::string& tree = "CORP")
      : h(CVX_DEMO_DIR, tree, {"--dbpath=" + Folder()}, "/opt/cvx/bin", nullptr, Write(actions)) {}

  void SetUp() override {
    ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
  }

  std::string Folder() const { return dir_.path().toStdString(); }
  std::string Write(const std::string& actions) const {
    const std::string file = Folder() + "/actions.ini";
    std::ofstream(file) << actions;
    return file;
  }
  frmMain& w() { return *h.window; }
  MainState& s() { return Access::state(w()); }
  MainWindowControls& ui() { return Access::ui(w()); }
  QTreeWidget& rc() { return *ui().TreeViewRC; }
  QAction* Entry(const QMenu* menu, const QString& name) {
    return menu->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
  }
  const std::vector<Args>& Started() const { return h.launcher.launchedArguments; }

  // A right-click on the node, opened down to it first: the action menu opens on it.
  void RightClickNode(const std::string& key) {
    Access::browserRC(w()).treeExp(key);
    QTreeWidgetItem* node = FindNode(rc(), key);
    ASSERT_NE(node, nullptr) << key;
    rc().scrollToItem(node);
    QTest::mouseClick(rc().viewport(), Qt::RightButton, {}, rc().visualItemRect(node).center());
  }
  static void Choose(QMenu* menu, QAction* entry) {
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
  }
  void AddRecord(const std::string& ws, const std::string& address) {
    ASSERT_TRUE(AppendWorkstationRecord(Folder(), "CORP", ws, address, "").ok());
  }

  QTemporaryDir dir_;  // before the harness, which is given its files
  MainWindowHarness h;
};

TEST_F(OwnActionMenus, BothMenusListTheOwnActionsAfterTheEight) {
  for (QMenu* menu : {ui().menus.mnuMain, ui().menus.mnuDefaultAction}) {
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 11);
    EXPECT_TRUE(entries[8]->isSeparator());
    const QString prefix = menu == ui().menus.mnuMain ? "mnuOwn:" : "mnuDefOwn:";
    EXPECT_EQ(entries[9]->objectName(), prefix + "Probe");
    EXPECT_EQ(entries[9]->text(), "Probe && more");  // the & is shown, not a key mark
    EXPECT_EQ(entries[10]->objectName(), prefix + "Label");
    EXPECT_EQ(entries[10]->text(), "Label");
  }
  EXPECT_TRUE(h.prompter.messages.empty());
}

TEST_F(OwnActionMenus, RunOnceFromTheBrowserAtTheWorkstationsAddress) {
  RightClickNode(kWs01);
  Choose(ui().menus.mnuMain, Entry(ui().menus.mnuMain, "mnuOwn:Probe"));
  EXPECT_EQ(Started(), (std::vector<Args>{{"probe", "10.1.1.101", "WS01.SALES.ACME"}}));
  EXPECT_TRUE(h.launcher.launched.empty());  // no catalogue command line
  EXPECT_EQ(s().actions.DefaultAction, "RC");
  EXPECT_TRUE(s().History.Find(kWs01));
}

TEST_F(OwnActionMenus, AsTheDefaultActionTheButtonStartsIt) {
  s().target.pickedBy = PickSource::kTree;
  Access::browserRC(w()).treeExp(kWs01);
  rc().setCurrentItem(FindNode(rc(), kWs01));
  QTest::mouseClick(ui().Command1, Qt::LeftButton);
  Choose(ui().menus.mnuDefaultAction, Entry(ui().menus.mnuDefaultAction, "mnuDefOwn:Label"));
  EXPECT_EQ(s().actions.DefaultAction, "Label");
  EXPECT_EQ(ui().cmdRC->text(), "Label");
  EXPECT_EQ(w().focusWidget(), ui().cmdRC);

  ui().cmdRC->click();
  EXPECT_EQ(Started(), (std::vector<Args>{{"probe", "--label=WS01.SALES.ACME on CORP"}}));
}

// MMILLER is logged in twice; the TCP login 10.1.1.103 is given to WS01 in this database, whose
// own address is 10.1.1.101. Chosen from the list, the action reaches the user's login.
TEST_F(OwnActionMenus, FromTheResultsListAListedLoginKeepsItsUserAndAddress) {
  AddRecord(kSales + R"(\WS02)", "IPX 00001001:00104B100102:4005");
  AddRecord(kWs01, "TCP 10.1.1.103");
  s().actions.DefaultAction = "Probe";
  Access::launch(w()).RunRemoteAction(kSales + R"(\MMILLER)",
                                      Access::state(w()).actions.DefaultAction);
  QTreeWidget& list = *ui().lstMultiple;
  ASSERT_EQ(list.topLevelItemCount(), 2);
  ASSERT_EQ(ResultKey(list.topLevelItem(1)), kWs01);
  const Args expected{"probe", "10.1.1.103", "WS01.SALES.ACME", "MMILLER.SALES.ACME"};

  list.setCurrentItem(list.topLevelItem(1));
  Access::results(w()).ResultsListDoubleClick();
  ASSERT_EQ(Started(), std::vector<Args>{expected});

  s().actions.DefaultAction = "RC";
  QTest::mouseClick(list.viewport(), Qt::RightButton, {},
                    list.visualItemRect(list.topLevelItem(1)).center());
  Choose(ui().menus.mnuMain, Entry(ui().menus.mnuMain, "mnuOwn:Probe"));
  EXPECT_EQ(Started(), (std::vector<Args>{expected, expected}));
  EXPECT_EQ(s().actions.DefaultAction, "RC");
}

TEST_F(OwnActionMenus, TheDefaultIsStoredByNameAndFallsBackWhenItIsGone) {
  const std::string section = SettingsSection("CORP");
  s().actions.DefaultAction = "Probe";
  Access::settings(w()).SaveSettings();
  EXPECT_EQ(h.memoryStore.ReadValue(section, "Remote Action", ""), "Probe");

  MainWindowHarness again(CVX_DEMO_DIR, "CORP", {}, "/opt/cvx/bin", &h.memoryStore,
                          Write(kActions));
  ASSERT_EQ(again.Load(), StartUpOutcome::kReady);
  EXPECT_EQ(Access::state(*again.window).actions.DefaultAction, "Probe");
  EXPECT_EQ(Access::ui(*again.window).cmdRC->text(), "Probe && more");

  MainWindowHarness gone(CVX_DEMO_DIR, "CORP", {}, "/opt/cvx/bin", &h.memoryStore,
                         Write("[action Label]\nExec=probe %w\n"));
  ASSERT_EQ(gone.Load(), StartUpOutcome::kReady);
  EXPECT_EQ(Access::state(*gone.window).actions.DefaultAction, "RC");
  EXPECT_EQ(Access::ui(*gone.window).cmdRC->text(), "Remote Control");
}

// Own actions need nothing from the schema: on a tree without the extended actions the default
// menu shows, offering Remote Control and the own actions.
class WithoutExtendedActions : public OwnActionMenus {
 protected:
  WithoutExtendedActions() : OwnActionMenus(kActions, "LEGACY") {}
};

TEST_F(WithoutExtendedActions, OwnActionsAreOfferedBesideRemoteControl) {
  ASSERT_FALSE(s().start.ExtendedActionsAvailable);
  EXPECT_FALSE(ui().Command1->isHidden());
  QStringList offered;
  for (const QAction* entry : ui().menus.mnuDefaultAction->actions()) {
    if (entry->isVisible() && !entry->isSeparator()) offered << entry->objectName();
  }
  EXPECT_EQ(offered, (QStringList{"mnuDefRC", "mnuDefOwn:Probe", "mnuDefOwn:Label"}));
  Entry(ui().menus.mnuDefaultAction, "mnuDefOwn:Label")->trigger();
  EXPECT_EQ(s().actions.DefaultAction, "Label");
}

}  // namespace
}  // namespace cvx
