// A run on one target without a window, against the demo tree, a database written here, a real
// settings store and an own actions file in a test folder.

#include "shell/TargetMode.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "directory/DirectoryClient.h"
#include "fakes/RecordingLauncher.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "support/RecordAppender.h"

namespace cvx {
namespace {

const std::string kCorp = R"(NDS:\\CORP\)";

class TargetModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
    std::filesystem::create_directories(Folder() + "/config/corvexa");
    std::ofstream(ActionsPath()) << "[action SSH]\nExec=x-terminal-emulator -e ssh admin@%a\n"
                                    "[action Probe]\nExec=probe %a %w \"--label=%w on %n\"\n";
  }

  std::string Folder() const { return dir_.path().toStdString(); }
  std::string StorePath() const { return Folder() + "/config/corvexa/settings.sqlite3"; }
  std::string ActionsPath() const { return Folder() + "/config/corvexa/actions.ini"; }

  // The database record of a demo workstation: its first two stored addresses.
  void AddWorkstation(const std::string& path) {
    auto control = client_->CreateControl();
    auto entry = control->FindEntry(kCorp + path);
    ASSERT_TRUE(entry) << path;
    auto values = *(*entry)->GetFieldValue("WM:Network Address");
    ASSERT_FALSE(values.empty());
    ASSERT_TRUE(AppendWorkstationRecord(Folder(), "CORP", kCorp + path, values[0],
                                        values.size() > 1 ? values[1] : "")
                    .ok());
  }

  int Run(std::vector<std::string> args) {
    args.push_back("--dbpath=" + Folder());
    LazySettingsStore store(StorePath());
    out_.str("");
    err_.str("");
    return RunTargetMode(
        ParseProgramArguments(args),
        {client_.get(), &store, &launcher_, "/opt/cvx/bin", &out_, &err_, ActionsPath()});
  }

  QTemporaryDir dir_;
  DirectoryClientPtr client_;
  RecordingLauncher launcher_;
  std::ostringstream out_, err_;
};

TEST_F(TargetModeTest, OneWorkstationStartsAtOnceAndADryRunOnlyPrintsIt) {
  EXPECT_EQ(Run({"--target=WS01", "--server=FS1", "--dry-run"}), kTargetStarted);
  EXPECT_NE(out_.str().find("wviewnt.exe -w\"WS01.SALES.ACME\""), std::string::npos) << out_.str();
  EXPECT_TRUE(launcher_.launched.empty());
  EXPECT_FALSE(std::filesystem::exists(StorePath()));  // a dry run changes nothing on disk

  EXPECT_EQ(Run({"--target=ws01", "--server=FS2", "--action=RP"}), kTargetStarted);
  ASSERT_EQ(launcher_.launched.size(), 1u);
  EXPECT_NE(launcher_.launched[0].find("desktop.exe -w\"WS01.SALES.ACME\""), std::string::npos);
  // A real run records the target in the tree's history, as the window would.
  SqliteSettingsStore store(StorePath());
  ASSERT_EQ(store.ReadSection(HistorySection("CORP")).size(), 1u);
  EXPECT_EQ(store.ReadSection(HistorySection("CORP"))[0].name,
            kCorp + "ACME\\SALES\\WS01;Workstation");
}

// A directory entry whose name holds ESC and a newline cannot forge lines or move the terminal;
// --action= is matched in any letter case.
TEST_F(TargetModeTest, NamesArePrintedEscapedAndActionsMatchInAnyCase) {
  const std::string folder = Folder() + "/hostile";
  std::filesystem::copy(CVX_DEMO_DIR, folder);
  {
    std::ofstream ldif(folder + "/CORP.ldif", std::ios::app);
    // "cn=WS0\x1b[2J\nX,ou=SALES,o=ACME" and its cn, base64 as LDIF wants control characters.
    ldif << "\ndn:: Y249V1MwG1sySgpYLG91PVNBTEVTLG89QUNNRQ==\nobjectClass: top\n"
            "objectClass: workstation\ncn:: V1MwG1sySgpY\n";
  }
  auto client = OpenDirectoryClient(folder, "CORP");
  ASSERT_TRUE(client) << client.message();
  client_ = *client;
  EXPECT_EQ(Run({"--target=WS0", "--server=FS1"}), kTargetChoose);
  EXPECT_EQ(out_.str().find('\x1b'), std::string::npos);
  EXPECT_NE(out_.str().find("WS0\\x1b[2J\\nX.SALES.ACME\t"), std::string::npos) << out_.str();

  EXPECT_EQ(Run({"--target=WS01", "--server=FS1", "--action=rv", "--dry-run"}), kTargetStarted);
  EXPECT_NE(out_.str().find("-c\"Remote View\""), std::string::npos) << err_.str();
}

// Several hits or several logins are for the caller to choose from: one per line, status 2.
TEST_F(TargetModeTest, SeveralHitsOrLoginsAreListedForAChoice) {
  EXPECT_EQ(Run({"--target=WS0", "--server=FS1"}), kTargetChoose);
  EXPECT_NE(out_.str().find("WS02.SALES.ACME\tNDS:\\\\CORP\\ACME\\SALES\\WS02\n"),
            std::string::npos);

  AddWorkstation("ACME\\SALES\\WS02");
  AddWorkstation("ACME\\SALES\\WS03");
  EXPECT_EQ(Run({"--target=MMILLER", "--server=FS1"}), kTargetChoose);
  EXPECT_EQ(out_.str(),
            "WS02.SALES.ACME\tNDS:\\\\CORP\\ACME\\SALES\\WS02\n"
            "WS03.SALES.ACME\tNDS:\\\\CORP\\ACME\\SALES\\WS03\n");
  EXPECT_TRUE(launcher_.launched.empty());
}

// Every way the action does not start says why and ends with status 1.
TEST_F(TargetModeTest, EveryFailureSaysWhyWithStatusOne) {
  struct Case {
    std::vector<std::string> args;
    std::string said;
  };
  const Case cases[] = {
      {{"--target=NOBODY"}, "nothing found"},
      {{"--target=WS01"}, "no server chosen"},
      {{"--target=JSMITH", "--server=FS1"}, "Workstation Database"},  // no database file
      {{"--target=AWHITE", "--server=FS1"}, "User not logged in!"},
      {{"--target=WS01", "--server=FS1", "--action=XX"}, "not available"},
      {{"--target=WS01", "--server=../x"}, "cannot be used"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.args), kTargetNotStarted) << c.args[0];
    EXPECT_NE(err_.str().find(c.said), std::string::npos) << c.args[0] << ": " << err_.str();
  }
  // A stored default this run cannot perform (an own action no longer in the file) is refused,
  // never replaced by Remote Control.
  {
    SqliteSettingsStore store(StorePath());
    store.WriteValue(SettingsSection("CORP"), "Remote Action", "GoneTool");
  }
  EXPECT_EQ(Run({"--target=WS01", "--server=FS1", "--dry-run"}), kTargetNotStarted);
  EXPECT_NE(err_.str().find("\"GoneTool\" is not available"), std::string::npos) << err_.str();
  {
    SqliteSettingsStore store(StorePath());
    store.WriteValue(SettingsSection("CORP"), "Remote Action", "RC");
  }
  launcher_.answer = {LaunchStatus::kNotFound, "no such file"};
  EXPECT_EQ(Run({"--target=WS01", "--server=FS1"}), kTargetNotStarted);
  EXPECT_NE(err_.str().find("Could not find files"), std::string::npos) << err_.str();
}

// An own action's dry run prints one argument a line (a blank in a name stays inside its
// argument) and needs no server; the stored default may be an own action.
TEST_F(TargetModeTest, OwnActionsPrintOneArgumentALineAndMayBeTheDefault) {
  EXPECT_EQ(Run({"--target=WS01", "--action=SSH", "--dry-run"}), kTargetStarted) << err_.str();
  EXPECT_EQ(out_.str(), "x-terminal-emulator\n-e\nssh\nadmin@10.1.1.101\n");
  EXPECT_EQ(err_.str(), "");
  EXPECT_TRUE(launcher_.launchedArguments.empty());
  EXPECT_EQ(Run({"--target=PC 12", "--action=Probe", "--dry-run"}), kTargetStarted) << err_.str();
  EXPECT_EQ(
      out_.str(),
      "probe\n10.1.4.112\nPC 12.Field Service.ACME\n--label=PC 12.Field Service.ACME on CORP\n");
  {
    SqliteSettingsStore store(StorePath());
    ASSERT_TRUE(store.WriteValue(SettingsSection("CORP"), "Remote Action", "SSH").ok);
  }
  EXPECT_EQ(Run({"--target=WS05"}), kTargetStarted) << err_.str();
  EXPECT_EQ(launcher_.launchedArguments,
            (std::vector<std::vector<std::string>>{
                {"x-terminal-emulator", "-e", "ssh", "admin@10.1.1.105"}}));
}

}  // namespace
}  // namespace cvx
