// Start-up and shutdown of the real window, and its settings in a real store.

#include <sqlite3.h>

#include <filesystem>

#include "DemoWindow.h"
#include "settings/LazySettingsStore.h"
#include "settings/SqliteSettingsStore.h"
#include "window/search/HistoryBox.h"

namespace cvx {
namespace {

const std::string kDemo = CVX_DEMO_DIR;
const std::string kBroken = std::string(CVX_TEST_DATA_DIR) + "/shell/broken";

// A normal start on the default tree, which knows the extended actions.
TEST(StartUp, ANormalStartPreparesTheWindow) {
  MainWindowHarness h(kDemo, "", {});
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  const MainWindowControls& ui = Access::ui(*h.window);
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_EQ(h.window->windowTitle(), "Corvexa on CORP");
  EXPECT_EQ(StatusPanelText(ui, 2), "Remember to update the Workstation Database regularly!");
  EXPECT_EQ(ui.cmbServerlist->count(), 2);
  for (QAction* a : {ui.menus.mnuRV, ui.menus.mnuFT, ui.menus.mnuRI, ui.menus.mnuRP}) {
    EXPECT_TRUE(a->isVisible() && a->isEnabled());
  }
  EXPECT_FALSE(ui.Command1->isHidden() || ui.txtInvServer->isHidden());
  // A program folder that is not there holds no database.
  EXPECT_NE(Access::state(*h.window).start.DBPath, "/opt/cvx/bin");
}

TEST(StartUp, AFailingStepEndsStartUpThereAndShowsTheWindowSoFar) {
  // The only tree cannot be read: listing the servers fails, later steps do not run.
  MainWindowHarness h(kBroken, "", {});
  ASSERT_EQ(h.Load(), StartUpOutcome::kStopped);
  EXPECT_EQ(h.window->windowTitle(), "Corvexa on BROKEN");
  // The administrator learns which step failed and why.
  const QString status = StatusPanelText(Access::ui(*h.window), 2);
  EXPECT_TRUE(status.startsWith("Start-up stopped at listing the servers (error 600): ") &&
              status.contains("BROKEN.ldif"))
      << status.toStdString();
  EXPECT_EQ(Access::ui(*h.window).cmbNDSInfoLayout->count(), 0);
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_FALSE(h.window->IsUnloaded());
  // A run that closes by itself has nobody to close the half-prepared window: it is unloaded.
  MainWindowHarness closing(kBroken, "", {R"(/dbbuild=NDS:\\BROKEN\X)", "/autoclose"});
  ASSERT_EQ(closing.Load(), StartUpOutcome::kStoppedClosed);
  EXPECT_TRUE(closing.window->IsUnloaded());
}

class SettingsRun : public ::testing::Test {
 protected:
  std::string StorePath() const { return dir_.path() + "/corvexa/settings.sqlite3"; }

  // One start and a normal close of the program on a directory.
  void Run(std::vector<std::string> args = {},
           const std::function<void(frmMain&, MainWindowHarness&)>& between = {},
           const std::string& directory = CVX_DEMO_DIR,
           StartUpOutcome expected = StartUpOutcome::kReady) {
    LazySettingsStore store(StorePath());
    MainWindowHarness h(directory, "", std::move(args), &store);
    ASSERT_EQ(h.Load(), expected);
    if (between) between(*h.window, h);
    h.window->close();
    messages_ = h.prompter.messages;
  }
  std::vector<NamedValue> Section(const std::string& section) {
    return SqliteSettingsStore(StorePath()).ReadSection(section);
  }
  std::string Value(const std::string& tree, const std::string& key) {
    return SqliteSettingsStore(StorePath()).ReadValue(SettingsSection(tree), key, "<none>");
  }
  void Store(const std::string& tree, const std::string& key, const std::string& value) {
    ASSERT_TRUE(SqliteSettingsStore(StorePath()).WriteValue(SettingsSection(tree), key, value).ok);
  }

  test::TempFolder dir_;
  std::vector<RecordingPrompter::Message> messages_;
};

// Changes come back at the next start; starts that change nothing leave every value to the byte.
TEST_F(SettingsRun, ChangesComeBackAndUnchangedRunsDoNotDrift) {
  Run({}, [](frmMain& w, MainWindowHarness&) {
    MainWindowControls& ui = Access::ui(w);
    ui.optSubOrdTree[1]->setChecked(true);
    ui.CheckAlias->setChecked(false);
    ui.optDBfile[0]->setChecked(true);
    ui.txtInvServer->setText("  10.1.1.5 ");
    ui.cmbServerlist->setCurrentIndex(ui.cmbServerlist->findText("FS2"));
    Access::state(w).actions.DefaultAction = "RP";
    Access::layout(w).SizeControlsV(3457);  // twips that are no whole pixel
    Access::layout(w).SizeControlsH(4211);
    Access::state(w).search.CurrentContext = R"(NDS:\\CORP\ACME\SALES)";
    SetCheckedAttributes(ui, 0, {"Telephone Number", "Surname"});
    SetCheckedAttributes(ui, 1, {"WM:Network Address"});
  });
  Run({}, [](frmMain& w, MainWindowHarness&) {
    MainWindowControls& ui = Access::ui(w);
    EXPECT_EQ(ui.optSubOrdTreeGroup->checkedId(), 1);
    EXPECT_FALSE(ui.CheckAlias->isChecked());
    EXPECT_EQ(ui.optDBfileGroup->checkedId(), 0);
    EXPECT_EQ(ui.txtInvServer->text(), "  10.1.1.5 ");
    EXPECT_EQ(ui.cmbServerlist->currentText(), "FS2");
    EXPECT_EQ(ui.cmdRC->text(), "Ping RM Agent");
    EXPECT_EQ(Access::state(w).pages.splitV, 3457);
    EXPECT_EQ(Access::state(w).pages.splitH, 4211);
    // The browser opens at the context the administrator was in.
    EXPECT_EQ(NodeKey(ui.TreeViewRC->currentItem()), R"(NDS:\\CORP\ACME\SALES)");
    EXPECT_EQ(CheckedAttributes(ui, 0), (std::vector<std::string>{"Surname", "Telephone Number"}));
    EXPECT_EQ(CheckedAttributes(ui, 1), (std::vector<std::string>{"WM:Network Address"}));
    SetCheckedAttributes(ui, 0, {"Surname"});  // an unchecked one goes
  });
  ASSERT_EQ(Section(NdsUserSection("CORP")).size(), 1u);
  const auto first = Section(SettingsSection("CORP"));
  Run();
  Run();
  EXPECT_EQ(Section(SettingsSection("CORP")), first);
}

// A stored value the window cannot use is written over; a server not listed now (it was down) is
// kept; minimized at exit, the window keeps the stored size.
TEST_F(SettingsRun, BadValuesFallBackAnUnlistedServerIsKeptAndAMinimizedWindowKeepsItsSize) {
  Run();
  Store("CORP", "Width", "wide");
  Store("CORP", "Search Subordinates", "7");
  Store("CORP", "Remote Action", "XX");
  Store("CORP", "ZW Server", "FS9");
  Run({}, [](frmMain& w, MainWindowHarness&) {
    EXPECT_EQ(Access::ui(w).cmdRC->text(), "Remote Control");
    EXPECT_EQ(Access::ui(w).cmbServerlist->currentText(), "");
    ResizeWindowTwips(w, 9000, 7500);
    w.setWindowState(Qt::WindowMinimized);
    Access::ui(w).txtInvServer->setText("inv1");
  });
  EXPECT_EQ(Value("CORP", "Width"), "8000");
  EXPECT_EQ(Value("CORP", "Height"), "7000");
  EXPECT_EQ(Value("CORP", "Inventory Server"), "inv1");
  EXPECT_EQ(Value("CORP", "Search Subordinates"), "0");
  EXPECT_EQ(Value("CORP", "Remote Action"), "RC");
  EXPECT_EQ(Value("CORP", "ZW Server"), "FS9");
}

// Saved after an incomplete start, the defaults would overwrite what the administrator stored.
TEST_F(SettingsRun, AStartThatStopsBeforeTheSettingsLeavesTheStoreAlone) {
  Store("BROKEN", "Width", "9999");
  Run({}, {}, kBroken, StartUpOutcome::kStopped);
  EXPECT_EQ(Value("BROKEN", "Width"), "9999");
  EXPECT_EQ(Section(SettingsSection("BROKEN")).size(), 1u);
}

TEST_F(SettingsRun, AStoreThatIsNotADatabaseIsReportedAndLeftAsItIs) {
  std::filesystem::create_directories(dir_.path() + "/corvexa");
  dir_.Write("corvexa/settings.sqlite3", "not a database, just bytes\n");
  Run({}, [](frmMain& w, MainWindowHarness&) { Access::ui(w).txtInvServer->setText("x"); });
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].text.contains(QString::fromStdString(StorePath())));
  EXPECT_EQ(dir_.Read("corvexa/settings.sqlite3"), "not a database, just bytes\n");
}

// A store locked by another process at close: one bounded wait, and a box says nothing was saved.
TEST_F(SettingsRun, AStoreLockedAtCloseIsSaidAfterOneWait) {
  Run();  // the store exists, in WAL mode
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(StorePath().c_str(), &writer), SQLITE_OK);
  QElapsedTimer closing;
  Run({}, [&](frmMain& w, MainWindowHarness&) {
    Access::ui(w).txtInvServer->setText("changed");
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    closing.start();
  });
  EXPECT_LT(closing.elapsed(), 9000);
  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(messages_[0].text.startsWith("The settings were not saved:\r\n"));
  EXPECT_TRUE(messages_[0].text.contains("locked")) << messages_[0].text.toStdString();
  EXPECT_NE(Value("CORP", "Inventory Server"), "changed");
}

// History: in order, once per object, per tree, purged per tree. Choosing an entry acts on it; a
// name typed afterwards is searched for, not the entry acted on.
TEST_F(SettingsRun, HistoryIsKeptPerTreeAndTheBoxActsOnTheEntryChosen) {
  const std::string odd = "NDS:\\\\CORP\\ACME\\Müller;\"PC\"";
  Run({}, [&](frmMain& w, MainWindowHarness&) {
    for (const auto& name : {kWs01, kWs01, odd})
      Access::history(w).AddHistory(name, name, "Workstation");
  });
  Run({R"(/tree=NDS:\\LEGACY)"}, [](frmMain& w, MainWindowHarness&) {
    Access::history(w).AddHistory(R"(NDS:\\LEGACY\OLD\WS9)", R"(NDS:\\LEGACY\OLD\WS9)",
                                  "Workstation");
  });
  Run({}, [&](frmMain& w, MainWindowHarness& h) {
    MainWindowControls& ui = Access::ui(w);
    QComboBox& box = *ui.ImageCombo1;
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "WS01.SALES.ACME");
    EXPECT_EQ(box.itemData(1).toString().toStdString(), odd);
    ui.cmbServerlist->setCurrentText("FS1");
    box.setCurrentIndex(0);
    emit box.activated(0);
    ui.cmdRC->click();
    ASSERT_EQ(h.launcher.launched.size(), 1u);
    EXPECT_NE(h.launcher.launched[0].find("-w\"WS01.SALES.ACME\""), std::string::npos);
    SetStatusPanelText(ui, 2, "Context: x");
    QTest::keyClick(box.lineEdit(), Qt::Key_Z);
    EXPECT_EQ(ui.cmdRC->text(), "Search");
    EXPECT_FALSE(ui.Command1->isEnabled());
    EXPECT_EQ(StatusPanelText(ui, 2), "");
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(h.launcher.launched.size(), 1u);
    ui.cmdPurgeH->click();
    EXPECT_EQ(box.count(), 0);
  });
  EXPECT_TRUE(Section(HistorySection("CORP")).empty());
  EXPECT_EQ(Section(HistorySection("LEGACY")).size(), 1u);
}

}  // namespace
}  // namespace cvx
