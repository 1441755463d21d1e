// The database page of the real window building the demo tree's database into a test folder.

#include <sys/stat.h>

#include <filesystem>

#include "DemoWindow.h"
#include "support/UnprivilegedScope.h"
#include "window/database/DatabaseBuildJob.h"

namespace cvx {
namespace {

const std::string kOld = "\"NDS:\\\\CORP\\OLD\",\"TCP 10.0.0.1\",\"\"\r\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

class DatabaseBuildTest : public DemoWindow {
 protected:
  explicit DatabaseBuildTest(const std::string& argument = {}) : DemoWindow("CORP", {}, argument) {}
  DatabaseBuildJob& job() { return w().buildJob(); }
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
    return ended.count() > 0 || ended.wait(10000);
  }
  std::vector<std::string> Records() { return Lines(db.Read("CORP.lst")); }
  // The old file is still there, alone, and the tool is ready for the next press.
  void ExpectOldFileKept() {
    EXPECT_EQ(db.Read("CORP.lst"), kOld);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(db.path()), {}), 1);
    EXPECT_FALSE(Hourglass());
    EXPECT_TRUE(ui().cmdBuildWSdb->isEnabled());
    EXPECT_FALSE(w().IsUnloaded());
  }
};

TEST_F(DatabaseBuildTest, BuildsTheDemoTreeAppendingOrReplacing) {
  EXPECT_EQ(ui().lblDBstate->text(), "No workstation database yet");
  SelectContext(kAcme);
  ChooseAppend(true);
  QSignalSpy ended(&job(), &DatabaseBuildJob::Ended);
  ui().cmdBuildWSdb->click();
  // While it runs the button is disabled, and a second start is ignored, not removing the file.
  EXPECT_TRUE(Hourglass());
  EXPECT_EQ(Panel2(), "Searching ...");
  EXPECT_FALSE(ui().cmdBuildWSdb->isEnabled());
  Access::database(w()).makeDB({});
  ASSERT_TRUE(ended.wait(10000));
  EXPECT_EQ(ended.count(), 1);
  const auto once = Records();
  ASSERT_EQ(once.size(), 33u);  // 34 found, IT11 has no address
  EXPECT_EQ(Panel2(), "Found: 34 Workstation(s)");
  EXPECT_FALSE(Hourglass());
  EXPECT_TRUE(ui().cmdBuildWSdb->isEnabled());
  EXPECT_TRUE(ui().lblDBstate->text().startsWith("33 workstations, built 20"));
  EXPECT_TRUE(h.prompter.messages.empty());
  // Appending again lists every workstation twice, in search order each time.
  ASSERT_TRUE(PressBuild());
  auto twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(Records(), twice);
  ChooseAppend(false);
  ASSERT_TRUE(PressBuild());
  EXPECT_EQ(Records(), once);
}

// The /dbbuild context serves the start-up build alone (replacing, whatever the option says);
// later presses follow the page.
class CommandLineBuildTest : public DatabaseBuildTest {
 protected:
  CommandLineBuildTest() : DatabaseBuildTest("/dbbuild=" + kAcme) {}
};

TEST_F(CommandLineBuildTest, LaterPressesFollowThePage) {
  QSignalSpy ended(&job(), &DatabaseBuildJob::Ended);
  ASSERT_TRUE(ended.count() > 0 || ended.wait(10000));
  ASSERT_EQ(Records().size(), 33u);
  SelectContext(kSales);
  ChooseAppend(true);
  ASSERT_TRUE(PressBuild());
  const auto records = Records();
  ASSERT_GT(records.size(), 33u);
  EXPECT_TRUE(Has(records[33], R"(\ACME\SALES\)")) << records[33];
}

// A build that must not replace the file: the old file stays, and panel 2 or a box says why.
TEST_F(DatabaseBuildTest, RefusedBuildsKeepTheOldFile) {
  db.Write("CORP.lst", kOld);
  ui().TreeViewWS->setCurrentItem(nullptr);
  ui().cmdBuildWSdb->click();  // nothing selected: nothing happens
  EXPECT_EQ(job().state(), DatabaseBuildJob::State::kIdle);
  ChooseAppend(false);
  // A workstation as the context would find nothing and empty the database.
  SelectContext(kWs01);
  ASSERT_TRUE(PressBuild());
  EXPECT_EQ(Panel2().toStdString(), "Workstation Database not built: " + kWs01 +
                                        " is a Workstation, not a container"
                                        " - the previous Workstation Database was kept");
  EXPECT_EQ(job().state(), DatabaseBuildJob::State::kRefused);
  // A tree name that cannot name a file says so, not that rights are missing.
  s().start.TreeName = "A/B";
  SelectContext(kAcme);
  ui().cmdBuildWSdb->click();
  ASSERT_EQ(h.prompter.messages.size(), 1u);
  EXPECT_TRUE(h.prompter.messages[0].text.contains("cannot name a Workstation Database"));
  ExpectOldFileKept();
}

TEST_F(DatabaseBuildTest, AReadOnlyFolderIsNamedAndTheOldFileKept) {
  db.Write("CORP.lst", kOld);
  SelectContext(kAcme);
  for (bool append : {false, true}) {
    ChooseAppend(append);
    ::chmod(db.path().c_str(), 0555);
    {
      test::UnprivilegedScope nobody;
      if (nobody.failed()) GTEST_SKIP() << "cannot drop root's rights";
      ui().cmdBuildWSdb->click();
    }
    ::chmod(db.path().c_str(), 0755);
    if (append) {
      // Appending runs no rights check first: the records could not be added, as panel 2 says.
      EXPECT_TRUE(h.prompter.messages.empty());
      EXPECT_TRUE(Panel2().startsWith("Workstation Database could not be written: "));
      EXPECT_TRUE(Panel2().endsWith(" - the previous Workstation Database was kept"));
    } else {
      ASSERT_EQ(h.prompter.messages.size(), 1u);
      EXPECT_TRUE(h.prompter.messages[0].text.endsWith(QString::fromStdString(db.path())));
      EXPECT_EQ(Panel2(), "");
    }
    h.prompter.messages.clear();
    EXPECT_EQ(job().state(), DatabaseBuildJob::State::kRefused);
    ExpectOldFileKept();
  }
}

}  // namespace
}  // namespace cvx
