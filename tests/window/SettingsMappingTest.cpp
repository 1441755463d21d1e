// Start-up and shutdown against a real settings store in a test folder.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include <sqlite3.h>

#include "fakes/MainWindowHarness.h"
#include "fakes/frmMainTestAccess.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/layout/WindowGeometry.h"
#include "window/search/HistoryBox.h"

namespace cvx {
namespace {

const std::string kDemo = CVX_DEMO_DIR;
const std::string kBroken = std::string(CVX_TEST_DATA_DIR) + "/shell/broken";
const std::string kWs01 = R"(NDS:\\CORP\ACME\SALES\WS01)";

class SettingsRun : public ::testing::Test {
 protected:
  std::string StorePath() const { return dir_.path().toStdString() + "/corvexa/settings.sqlite3"; }

  // One start and a normal close of the program on the demo directory.
  template <class Between>
  void Run(std::vector<std::string> args, Between between) {
    LazySettingsStore store(StorePath());
    MainWindowHarness h(kDemo, "", std::move(args), "/opt/cvx/bin", &store);
    h.Load();
    between(h);
    h.window->close();
    messages_ = h.prompter.messages;
  }
  void Run(std::vector<std::string> args = {}) {
    Run(std::move(args), [](MainWindowHarness&) {});
  }

  std::vector<NamedValue> Section(const std::string& section) {
    SqliteSettingsStore store(StorePath());
    return store.ReadSection(section);
  }
  std::string Value(const std::string& tree, const std::string& key) {
    SqliteSettingsStore store(StorePath());
    return store.ReadValue(SettingsSection(tree), key, "<none>");
  }

  QTemporaryDir dir_;
  std::vector<RecordingPrompter::Message> messages_;
};

// What the administrator changed comes back at the next start, and starts that change nothing
// leave every value as it was, to the byte.
TEST_F(SettingsRun, ChangesComeBackAndUnchangedRunsDoNotDrift) {
  Run({}, [](MainWindowHarness& h) {
    MainWindowControls& ui = Access::ui(*h.window);
    ui.optSubOrdTree[1]->setChecked(true);
    ui.CheckAlias->setChecked(false);
    ui.optDBfile[0]->setChecked(true);
    ui.txtInvServer->setText("  10.1.1.5 ");
    ui.cmbServerlist->setCurrentIndex(ui.cmbServerlist->findText("FS2"));
    Access::state(*h.window).actions.DefaultAction = "RP";
    Access::layout(*h.window).SizeControlsV(3457);  // twips that are no whole pixel
    Access::layout(*h.window).SizeControlsH(4211);
    Access::state(*h.window).search.CurrentContext = R"(NDS:\\CORP\ACME\SALES)";
  });
  Run({}, [](MainWindowHarness& h) {
    const MainWindowControls& ui = Access::ui(*h.window);
    EXPECT_EQ(ui.optSubOrdTreeGroup->checkedId(), 1);
    EXPECT_FALSE(ui.CheckAlias->isChecked());
    EXPECT_EQ(ui.optDBfileGroup->checkedId(), 0);
    EXPECT_EQ(ui.txtInvServer->text(), "  10.1.1.5 ");
    EXPECT_EQ(ui.cmbServerlist->currentText(), "FS2");
    EXPECT_EQ(Access::state(*h.window).actions.DefaultAction, "RP");
    EXPECT_EQ(ui.cmdRC->text(), "Ping RM Agent");
    EXPECT_EQ(Access::state(*h.window).pages.splitV, 3457);
    EXPECT_EQ(Access::state(*h.window).pages.splitH, 4211);
    // The browser opens at the context the administrator was in.
    EXPECT_EQ(NodeKey(ui.TreeViewRC->currentItem()), R"(NDS:\\CORP\ACME\SALES)");
  });
  const auto first = Section(SettingsSection("CORP"));
  Run();
  Run();
  EXPECT_EQ(Section(SettingsSection("CORP")), first);
}

TEST_F(SettingsRun, MinimizedAtExitKeepsTheGeometryAndWritesTheRest) {
  Run();
  Run({}, [](MainWindowHarness& h) {
    ResizeWindowTwips(*h.window, 9000, 7500);
    h.window->setWindowState(Qt::WindowMinimized);
    Access::ui(*h.window).txtInvServer->setText("inv1");
  });
  EXPECT_EQ(Value("CORP", "Width"), "8000");
  EXPECT_EQ(Value("CORP", "Height"), "7000");
  EXPECT_EQ(Value("CORP", "Inventory Server"), "inv1");
}

// A stored value the window cannot use counts as missing and is written over; a server that is
// not listed now (it was down) is kept for the next run.
TEST_F(SettingsRun, BadNumbersFallBackAndAnUnlistedServerIsKept) {
  {
    SqliteSettingsStore store(StorePath());
    store.WriteValue(SettingsSection("CORP"), "Width", "wide");
    store.WriteValue(SettingsSection("CORP"), "Search Subordinates", "7");
    store.WriteValue(SettingsSection("CORP"), "Remote Action", "XX");
    store.WriteValue(SettingsSection("CORP"), "ZW Server", "FS9");
  }
  Run({}, [](MainWindowHarness& h) {
    EXPECT_EQ(Access::ui(*h.window).optSubOrdTreeGroup->checkedId(), 0);
    EXPECT_EQ(Access::state(*h.window).actions.DefaultAction, "RC");
    EXPECT_EQ(Access::ui(*h.window).cmbServerlist->currentText(), "");
  });
  EXPECT_EQ(Value("CORP", "Width"), "8000");
  EXPECT_EQ(Value("CORP", "Search Subordinates"), "0");
  EXPECT_EQ(Value("CORP", "Remote Action"), "RC");
  EXPECT_EQ(Value("CORP", "ZW Server"), "FS9");
}

// The attributes chosen for display come back at the next start; an unchecked one goes.
TEST_F(SettingsRun, AttributeChecksSurviveARestart) {
  Run({}, [](MainWindowHarness& h) {
    MainWindowControls& ui = Access::ui(*h.window);
    SetCheckedAttributes(ui, 0, {"Telephone Number", "Surname"});
    SetCheckedAttributes(ui, 1, {"WM:Network Address"});
  });
  Run({}, [](MainWindowHarness& h) {
    MainWindowControls& ui = Access::ui(*h.window);
    EXPECT_EQ(CheckedAttributes(ui, 0), (std::vector<std::string>{"Surname", "Telephone Number"}));
    EXPECT_EQ(CheckedAttributes(ui, 1), (std::vector<std::string>{"WM:Network Address"}));
    SetCheckedAttributes(ui, 0, {"Surname"});
  });
  ASSERT_EQ(Section(NdsUserSection("CORP")).size(), 1u);
  EXPECT_EQ(Section(NdsUserSection("CORP"))[0].name, "Surname");
}

// Saved after an incomplete start, the defaults would overwrite what the administrator stored.
TEST_F(SettingsRun, AStartThatStopsBeforeTheSettingsLeavesTheStoreAlone) {
  {
    SqliteSettingsStore store(StorePath());
    store.WriteValue(SettingsSection("BROKEN"), "Width", "9999");
  }
  const std::string before = Value("BROKEN", "Width");
  {
    LazySettingsStore store(StorePath());
    MainWindowHarness h(kBroken, "", {}, "/opt/cvx/bin", &store);
    ASSERT_EQ(h.Load(), StartUpOutcome::kStopped);
    h.window->close();
  }
  EXPECT_EQ(before, "9999");
  EXPECT_EQ(Value("BROKEN", "Width"), "9999");
  EXPECT_EQ(Section(SettingsSection("BROKEN")).size(), 1u);
}

TEST_F(SettingsRun, AStoreThatIsNotADatabaseIsReportedAndLeftAsItIs) {
  std::filesystem::create_directories(dir_.path().toStdString() + "/corvexa");
  { std::ofstream(StorePath(), std::ios::binary) << "not a database, just bytes\n"; }
  Run({}, [](MainWindowHarness& h) { Access::ui(*h.window).txtInvServer->setText("x"); });
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].text.contains(QString::fromStdString(StorePath())));
  std::ifstream in(StorePath(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a database, just bytes\n");
}

// Another process holding the store locked at close: one bounded wait (not one per group of
// keys), and the administrator is told, on stderr and in a box, that nothing was saved and why.
TEST_F(SettingsRun, AStoreLockedAtCloseIsSaidAfterOneWait) {
  Run();  // the store exists, in WAL mode
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(StorePath().c_str(), &writer), SQLITE_OK);
  QElapsedTimer closing;
  Run({}, [&](MainWindowHarness& h) {
    Access::ui(*h.window).txtInvServer->setText("changed");
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    closing.start();
  });
  EXPECT_LT(closing.elapsed(), 9000);
  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].text.startsWith("The settings were not saved:\r\n"));
  EXPECT_TRUE(messages_[0].text.contains("locked")) << messages_[0].text.toStdString();
  EXPECT_EQ(messages_[0].title, "Warning!");
  EXPECT_NE(Value("CORP", "Inventory Server"), "changed");
}

// The history box: entries in the order added, one per object, kept per tree; purge empties
// only the current tree's history.
TEST_F(SettingsRun, HistoryIsKeptPerTreeOncePerObjectAndPurgedPerTree) {
  const std::string odd = "NDS:\\\\CORP\\ACME\\Müller;\"PC\"";
  Run({}, [&](MainWindowHarness& h) {
    Access::history(*h.window).AddHistory(kWs01, kWs01, "Workstation");
    Access::history(*h.window).AddHistory(kWs01, kWs01, "Workstation");
    Access::history(*h.window).AddHistory(odd, odd, "Workstation");
    Access::history(*h.window).AddHistory(R"(NDS:\\CORP\ACME\X)", R"(NDS:\\CORP\ACME\X)",
                                          "Printer");
  });
  Run({R"(/tree=NDS:\\LEGACY)"}, [](MainWindowHarness& h) {
    Access::history(*h.window).AddHistory(R"(NDS:\\LEGACY\OLD\WS9)", R"(NDS:\\LEGACY\OLD\WS9)",
                                          "Workstation");
  });
  Run({}, [&](MainWindowHarness& h) {
    QComboBox& box = *Access::ui(*h.window).ImageCombo1;
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "WS01.SALES.ACME");
    EXPECT_EQ(box.itemData(1).toString().toStdString(), odd);
    EXPECT_FALSE(box.itemIcon(0).isNull());
    Access::ui(*h.window).cmdPurgeH->click();
    EXPECT_EQ(box.count(), 0);
  });
  EXPECT_TRUE(Section(HistorySection("CORP")).empty());
  EXPECT_EQ(Section(HistorySection("LEGACY")).size(), 1u);
}

// Choosing an entry acts on it; a name typed afterwards is searched for, not the entry acted on.
TEST_F(SettingsRun, TheHistoryBoxActsOnTheEntryChosenAndSearchesForANameTyped) {
  Run({}, [](MainWindowHarness& h) {
    frmMain& w = *h.window;
    MainWindowControls& ui = Access::ui(w);
    ui.cmbServerlist->setCurrentText("FS1");
    Access::history(w).AddHistory(kWs01, kWs01, "Workstation");
    ui.ImageCombo1->setCurrentIndex(0);
    emit ui.ImageCombo1->activated(0);
    EXPECT_EQ(ui.cmdRC->text(), "Remote Control");
    ui.cmdRC->click();
    ASSERT_EQ(h.launcher.launched.size(), 1u);
    EXPECT_NE(h.launcher.launched[0].find("-w\"WS01.SALES.ACME\""), std::string::npos);

    SetStatusPanelText(ui, 2, "Context: x");
    QTest::keyClick(ui.ImageCombo1->lineEdit(), Qt::Key_Z);
    EXPECT_EQ(ui.cmdRC->text(), "Search");
    EXPECT_FALSE(ui.Command1->isEnabled());
    EXPECT_EQ(StatusPanelText(ui, 2), "");
    QTest::keyClick(ui.ImageCombo1->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(h.launcher.launched.size(), 1u);
  });
}

}  // namespace
}  // namespace cvx
