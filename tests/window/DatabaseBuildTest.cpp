#include "fakes/frmMainTestAccess.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <filesystem>

#include "fakes/MainWindowHarness.h"
#include "support/TempFolder.h"
#include "support/UnprivilegedScope.h"
#include "window/controls/StatusPanels.h"
#include "window/database/DatabaseBuildJob.h"

namespace cvx {
namespace {

const std::string kDemo = CVX_DEMO_DIR;
const std::string kAcme = R"(NDS:\\CORP\ACME)";
constexpr int kWaitMs = 10000;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

// A window over the demo directory whose database lives in a folder of the test's own.
class DatabaseBuildTest : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> args = {}, StartUpOutcome expected = StartUpOutcome::kReady) {
    args.push_back("--dbpath=" + db_.path());
    h_ = std::make_unique<MainWindowHarness>(kDemo, "", std::move(args));
    ASSERT_EQ(h_->Load(), expected);
  }
  frmMain& w() { return *h_->window; }
  MainWindowControls& ui() { return Access::ui(*h_->window); }
  DatabaseBuildJob& job() { return w().buildJob(); }
  QString Panel2() { return StatusPanelText(ui(), 2); }

  // The node the administrator picked in the workstation browser.
  void SelectContext(const std::string& fullName) {
    auto* item = new QTreeWidgetItem(ui().TreeViewWS);
    item->setData(0, Qt::UserRole + 1, QString::fromStdString(fullName));
    ui().TreeViewWS->setCurrentItem(item);
  }
  void ChooseAppend(bool append) { ui().optDBfile[append ? 0 : 1]->setChecked(true); }

  // Presses the button and waits for the build to end; false when it did not end in time.
  bool PressBuild() {
    QSignalSpy ended(&job(), &DatabaseBuildJob::Ended);
    ui().cmdBuildWSdb->click();
    return ended.count() > 0 || ended.wait(kWaitMs);
  }
  bool WaitForBuild() {
    if (!job().running()) return true;
    QSignalSpy ended(&job(), &DatabaseBuildJob::Ended);
    return ended.wait(kWaitMs);
  }
  static bool Hourglass() {
    return QApplication::overrideCursor() &&
           QApplication::overrideCursor()->shape() == Qt::WaitCursor;
  }

  test::TempFolder db_;
  std::unique_ptr<MainWindowHarness> h_;
};

TEST_F(DatabaseBuildTest, BuildsTheDemoTreeInBothModes) {
  Start();
  EXPECT_EQ(ui().lblDBstate->text(), "No workstation database yet");
  SelectContext(kAcme);
  ChooseAppend(true);

  QSignalSpy ended(&job(), &DatabaseBuildJob::Ended);
  ui().cmdBuildWSdb->click();
  // While it runs: the hourglass, the search text, the button disabled; a second start is
  // ignored rather than removing the file under the first.
  EXPECT_TRUE(Hourglass());
  EXPECT_EQ(Panel2(), "Searching ...");
  EXPECT_FALSE(ui().cmdBuildWSdb->isEnabled());
  Access::database(w()).makeDB({});
  ASSERT_TRUE(ended.wait(kWaitMs));
  EXPECT_EQ(ended.count(), 1);

  const auto once = Lines(db_.Read("CORP.lst"));
  ASSERT_EQ(once.size(), 33u);  // 34 found, IT11 has no address
  EXPECT_EQ(Panel2(), "Found: 34 Workstation(s)");
  EXPECT_FALSE(Hourglass());
  EXPECT_TRUE(ui().cmdBuildWSdb->isEnabled());
  EXPECT_TRUE(ui().lblDBstate->text().startsWith("33 workstations, built 20"))
      << ui().lblDBstate->text().toStdString();
  EXPECT_TRUE(h_->prompter.messages.empty());

  // Appending again lists every workstation twice, in search order each time.
  ASSERT_TRUE(PressBuild());
  auto twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(Lines(db_.Read("CORP.lst")), twice);
  EXPECT_TRUE(ui().lblDBstate->text().startsWith("66 workstations"));

  ChooseAppend(false);
  ASSERT_TRUE(PressBuild());
  EXPECT_EQ(Lines(db_.Read("CORP.lst")), once);
}

TEST_F(DatabaseBuildTest, CommandLineContextServesTheStartUpBuildOnly) {
  db_.Write("CORP.lst", "\"NDS:\\\\CORP\\OLD\",\"TCP 10.0.0.1\",\"\"\r\n");
  Start({"/dbbuild=" + kAcme});
  ASSERT_TRUE(WaitForBuild());
  EXPECT_EQ(Lines(db_.Read("CORP.lst")).size(), 33u);  // replaced, whatever the option said
  // Later presses follow the page: the container picked and the Append option.
  SelectContext(kAcme + R"(\SALES)");
  ChooseAppend(true);
  ASSERT_TRUE(PressBuild());
  const auto lines = Lines(db_.Read("CORP.lst"));
  ASSERT_GT(lines.size(), 33u);
  EXPECT_NE(lines[33].find(R"(\ACME\SALES\)"), std::string::npos) << lines[33];
}

// A build that must not replace the file with what it would write: the old file stays, and
// panel 2 or a box says why.
TEST_F(DatabaseBuildTest, RefusedBuildsKeepTheOldFile) {
  const std::string old = "\"NDS:\\\\CORP\\OLD\",\"TCP 10.0.0.1\",\"\"\r\n";
  db_.Write("CORP.lst", old);
  Start();
  ChooseAppend(false);
  // A workstation as the context would find nothing and empty the database.
  SelectContext(kAcme + R"(\SALES\WS01)");
  ASSERT_TRUE(PressBuild());
  EXPECT_EQ(Panel2().toStdString(), "Workstation Database not built: " + kAcme +
                                        R"(\SALES\WS01 is a Workstation, not a container)"
                                        " - the previous Workstation Database was kept");
  EXPECT_EQ(job().state(), DatabaseBuildJob::State::kRefused);

  // A tree name that cannot name a file says so, not that rights are missing.
  Access::state(w()).start.TreeName = "A/B";
  SelectContext(kAcme);
  ui().cmdBuildWSdb->click();
  ASSERT_EQ(h_->prompter.messages.size(), 1u);
  EXPECT_TRUE(h_->prompter.messages[0].text.contains("cannot name a Workstation Database"));
  EXPECT_EQ(db_.Read("CORP.lst"), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(db_.path()), {}), 1);
  EXPECT_FALSE(Hourglass());
}

TEST_F(DatabaseBuildTest, NothingSelectedDoesNothing) {
  Start();
  ui().TreeViewWS->setCurrentItem(nullptr);
  const QString before = Panel2();
  ui().cmdBuildWSdb->click();
  EXPECT_EQ(Panel2(), before);
  EXPECT_FALSE(Hourglass());
  EXPECT_EQ(job().state(), DatabaseBuildJob::State::kIdle);
  EXPECT_TRUE(std::filesystem::is_empty(db_.path()));
}

TEST_F(DatabaseBuildTest, ReadOnlyDirectoryIsNamedAndTheOldFileKept) {
  const std::string old = "\"NDS:\\\\CORP\\OLD\",\"TCP 10.0.0.1\",\"\"\r\n";
  db_.Write("CORP.lst", old);
  Start();
  SelectContext(kAcme);
  for (bool append : {false, true}) {
    ChooseAppend(append);
    ::chmod(db_.path().c_str(), 0555);
    {
      test::UnprivilegedScope nobody;
      if (nobody.failed()) GTEST_SKIP() << "cannot drop root's rights";
      ui().cmdBuildWSdb->click();
    }
    ::chmod(db_.path().c_str(), 0755);
    if (append) {
      // Appending runs no rights check first: the records could not be added, as panel 2 says.
      EXPECT_TRUE(h_->prompter.messages.empty());
      EXPECT_TRUE(Panel2().startsWith("Workstation Database could not be written: "));
      EXPECT_TRUE(Panel2().endsWith(" - the previous Workstation Database was kept"));
    } else {
      ASSERT_EQ(h_->prompter.messages.size(), 1u);
      const auto m = h_->prompter.messages.back();
      EXPECT_TRUE(m.text.endsWith(QString::fromStdString(db_.path())));
      EXPECT_EQ(Panel2(), "");
    }
    h_->prompter.messages.clear();
    EXPECT_EQ(db_.Read("CORP.lst"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(db_.path()), {}), 1);
    EXPECT_FALSE(Hourglass());
    EXPECT_TRUE(ui().cmdBuildWSdb->isEnabled());
    EXPECT_EQ(job().state(), DatabaseBuildJob::State::kRefused);
    EXPECT_FALSE(w().IsUnloaded());  // the tool stays
  }
}

TEST_F(DatabaseBuildTest, MissingDirectoryEndsTheTool) {
  Start();
  Access::state(w()).start.DBPath = db_.path() + "/gone";
  SelectContext(kAcme);
  // Appending checks no folder first: the build fails and the tool stays.
  ChooseAppend(true);
  ui().cmdBuildWSdb->click();
  EXPECT_TRUE(h_->prompter.messages.empty());
  EXPECT_FALSE(w().IsUnloaded());
  ChooseAppend(false);
  QSignalSpy unloaded(&w(), &frmMain::Unloaded);
  ui().cmdBuildWSdb->click();
  ASSERT_EQ(h_->prompter.messages.size(), 1u);
  EXPECT_TRUE(h_->prompter.messages[0].text.startsWith("The path specified"));
  EXPECT_TRUE(w().IsUnloaded());
  EXPECT_EQ(unloaded.count(), 1);  // a normal end: the settings are saved
  EXPECT_FALSE(std::filesystem::exists(db_.path() + "/gone"));
}

}  // namespace
}  // namespace cvx
