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
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include <sqlite3.h>

#include "fakes/MainWindowHarness.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "window/AttributeDisplay.h"
#include "window/HistoryBox.h"
#include "window/SplitterPositions.h"
#include "window/StatusPanels.h"
#include "window/WindowGeometry.h"

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

TEST_F(SettingsRun, FirstStartUsesTheDefaultsAndANormalCloseWritesThem) {
  Run({}, [](MainWindowHarness& h) {
    const MainWindowControls& ui = h.window->ui();
    EXPECT_EQ(ui.optSubOrdTreeGroup->checkedId(), 0);
    EXPECT_TRUE(ui.CheckAlias->isChecked());
    EXPECT_EQ(ui.optDBfileGroup->checkedId(), 1);
    EXPECT_EQ(h.window->state().DefaultAction, "RC");
    EXPECT_EQ(ui.cmdRC->text(), "Remote Control");
    EXPECT_EQ(ui.txtSearchAnchor->text(), "the current browser's context.");
  });
  for (const auto& [key, value] :
       std::vector<std::pair<std::string, std::string>>{{"Left", "1000"},
                                                        {"Top", "1000"},
                                                        {"Width", "8000"},
                                                        {"Height", "7000"},
                                                        {"SplitV", "3000"},
                                                        {"SplitH", "5000"},
                                                        {"Search Subordinates", "0"},
                                                        {"Search for Aliases", "1"},
                                                        {"Append to Existing DB", "1"},
                                                        {"Remote Action", "RC"},
                                                        {"SearchAnchor", ""}}) {
    EXPECT_EQ(Value("CORP", key), value) << key;
  }
}

// What the administrator changed comes back at the next start, and starts that change nothing
// leave every value as it was, to the byte.
TEST_F(SettingsRun, ChangesComeBackAndUnchangedRunsDoNotDrift) {
  Run({}, [](MainWindowHarness& h) {
    MainWindowControls& ui = h.window->ui();
    ui.optSubOrdTree[1]->setChecked(true);
    ui.CheckAlias->setChecked(false);
    ui.optDBfile[0]->setChecked(true);
    ui.txtInvServer->setText("  10.1.1.5 ");
    ui.cmbServerlist->setCurrentIndex(ui.cmbServerlist->findText("FS2"));
    h.window->state().DefaultAction = "RP";
  });
  Run({}, [](MainWindowHarness& h) {
    const MainWindowControls& ui = h.window->ui();
    EXPECT_EQ(ui.optSubOrdTreeGroup->checkedId(), 1);
    EXPECT_FALSE(ui.CheckAlias->isChecked());
    EXPECT_EQ(ui.optDBfileGroup->checkedId(), 0);
    EXPECT_EQ(ui.txtInvServer->text(), "  10.1.1.5 ");
    EXPECT_EQ(ui.cmbServerlist->currentText(), "FS2");
    EXPECT_EQ(h.window->state().DefaultAction, "RP");
    EXPECT_EQ(ui.cmdRC->text(), "Ping RM Agent");
  });
  const auto first = Section(SettingsSection("CORP"));
  Run();
  Run();
  EXPECT_EQ(Section(SettingsSection("CORP")), first);
}

TEST_F(SettingsRun, ARestartPutsBothSplittersBackExactly) {
  Run({}, [](MainWindowHarness& h) {
    SizeControlsV(*h.window, 3457);
    SizeControlsH(*h.window, 4211);
  });
  Run({}, [](MainWindowHarness& h) {
    EXPECT_EQ(h.window->splitV(), 3457);
    EXPECT_EQ(h.window->splitH(), 4211);
  });
}

TEST_F(SettingsRun, MinimizedAtExitKeepsTheGeometryAndWritesTheRest) {
  Run();
  Run({}, [](MainWindowHarness& h) {
    ResizeWindowTwips(*h.window, 9000, 7500);
    h.window->setWindowState(Qt::WindowMinimized);
    h.window->ui().txtInvServer->setText("inv1");
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
    EXPECT_EQ(h.window->ui().optSubOrdTreeGroup->checkedId(), 0);
    EXPECT_EQ(h.window->state().DefaultAction, "RC");
    EXPECT_EQ(h.window->ui().cmbServerlist->currentText(), "");
  });
  EXPECT_EQ(Value("CORP", "Width"), "8000");
  EXPECT_EQ(Value("CORP", "Search Subordinates"), "0");
  EXPECT_EQ(Value("CORP", "Remote Action"), "RC");
  EXPECT_EQ(Value("CORP", "ZW Server"), "FS9");
}

// The attributes chosen for display come back at the next start; an unchecked one goes.
TEST_F(SettingsRun, AttributeChecksSurviveARestart) {
  Run({}, [](MainWindowHarness& h) {
    MainWindowControls& ui = h.window->ui();
    SetCheckedAttributes(ui, 0, {"Telephone Number", "Surname"});
    SetCheckedAttributes(ui, 1, {"WM:Network Address"});
  });
  Run({}, [](MainWindowHarness& h) {
    MainWindowControls& ui = h.window->ui();
    EXPECT_EQ(CheckedAttributes(ui, 0), (std::vector<std::string>{"Surname", "Telephone Number"}));
    EXPECT_EQ(CheckedAttributes(ui, 1), (std::vector<std::string>{"WM:Network Address"}));
    SetCheckedAttributes(ui, 0, {"Surname"});
  });
  ASSERT_EQ(Section(NdsUserSection("CORP")).size(), 1u);
  EXPECT_EQ(Section(NdsUserSection("CORP"))[0].name, "Surname");
}

TEST_F(SettingsRun, TreesKeepSeparateSettings) {
  Run({}, [](MainWindowHarness& h) { h.window->ui().txtInvServer->setText("corp-inv"); });
  Run({R"(/tree=NDS:\\LEGACY)"},
      [](MainWindowHarness& h) { h.window->ui().txtInvServer->setText("legacy-inv"); });
  EXPECT_EQ(Value("CORP", "Inventory Server"), "corp-inv");
  EXPECT_EQ(Value("LEGACY", "Inventory Server"), "legacy-inv");
  // Without the extended actions the stored action is not read, and "RC" goes back.
  EXPECT_EQ(Value("LEGACY", "Remote Action"), "RC");
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
    h.Load();
    ASSERT_FALSE(h.window->StartupStoppedAt().empty());
    h.window->close();
  }
  EXPECT_EQ(before, "9999");
  EXPECT_EQ(Value("BROKEN", "Width"), "9999");
  EXPECT_EQ(Section(SettingsSection("BROKEN")).size(), 1u);
}

TEST_F(SettingsRun, AStoreThatIsNotADatabaseIsReportedAndLeftAsItIs) {
  std::filesystem::create_directories(dir_.path().toStdString() + "/corvexa");
  { std::ofstream(StorePath(), std::ios::binary) << "not a database, just bytes\n"; }
  Run({}, [](MainWindowHarness& h) { h.window->ui().txtInvServer->setText("x"); });
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
    h.window->ui().txtInvServer->setText("changed");
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
    AddHistory(*h.window, kWs01, kWs01, "Workstation");
    AddHistory(*h.window, kWs01, kWs01, "Workstation");
    AddHistory(*h.window, odd, odd, "Workstation");
    AddHistory(*h.window, R"(NDS:\\CORP\ACME\X)", R"(NDS:\\CORP\ACME\X)", "Printer");
  });
  Run({R"(/tree=NDS:\\LEGACY)"}, [](MainWindowHarness& h) {
    AddHistory(*h.window, R"(NDS:\\LEGACY\OLD\WS9)", R"(NDS:\\LEGACY\OLD\WS9)", "Workstation");
  });
  Run({}, [&](MainWindowHarness& h) {
    QComboBox& box = *h.window->ui().ImageCombo1;
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "WS01.SALES.ACME");
    EXPECT_EQ(box.itemData(1).toString().toStdString(), odd);
    EXPECT_FALSE(box.itemIcon(0).isNull());
    h.window->ui().cmdPurgeH->click();
    EXPECT_EQ(box.count(), 0);
  });
  EXPECT_TRUE(Section(HistorySection("CORP")).empty());
  EXPECT_EQ(Section(HistorySection("LEGACY")).size(), 1u);
}

// Typing leaves pick mode; choosing an entry makes the history pick.
TEST_F(SettingsRun, HistoryBoxSwitchesBetweenSearchAndPick) {
  Run({}, [](MainWindowHarness& h) {
    frmMain& w = *h.window;
    MainWindowControls& ui = w.ui();
    AddHistory(w, kWs01, kWs01, "Workstation");
    w.state().TreePickActive = true;
    SetStatusPanelText(ui, 2, "Context: x");
    QTest::keyClick(ui.ImageCombo1->lineEdit(), Qt::Key_J);
    EXPECT_EQ(ui.cmdRC->text(), "Search");
    EXPECT_FALSE(ui.Command1->isEnabled());
    EXPECT_FALSE(w.state().TreePickActive);
    EXPECT_EQ(StatusPanelText(ui, 2), "");

    emit ui.ImageCombo1->activated(0);
    EXPECT_TRUE(w.state().HistoryPickActive);
    EXPECT_TRUE(ui.Command1->isEnabled());
    EXPECT_EQ(ui.cmdRC->text(), "Remote Control");
    ui.ImageCombo1->setCurrentIndex(0);
    const HistoryPick pick = ChosenHistoryEntry(*ui.ImageCombo1, w.state().History);
    EXPECT_EQ(pick.fullName, kWs01);
    EXPECT_EQ(pick.className, "Workstation");
  });
}

}  // namespace
}  // namespace cvx
