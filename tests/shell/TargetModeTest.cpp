// A run on one target without a window: demo tree, database, settings store and actions file.

#include "shell/TargetMode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "directory/DirectoryClient.h"
#include "fakes/RecordingLauncher.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "support/RecordAppender.h"
#include "support/TempFolder.h"

namespace cvx {
namespace {

const std::string kCorp = R"(NDS:\\CORP\)";

class TargetModeTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(CVX_DEMO_DIR); }
  void Open(const std::string& directory) {
    auto client = OpenDirectoryClient(directory, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
  }
  std::string StorePath() const { return dir_.path() + "/settings.sqlite3"; }
  void StoreDefault(const std::string& action) {
    ASSERT_TRUE(SqliteSettingsStore(StorePath())
                    .WriteValue(SettingsSection("CORP"), "Remote Action", action)
                    .ok);
  }
  void AddRecord(const std::string& path, const std::string& address) {
    ASSERT_TRUE(AppendWorkstationRecord(dir_.path(), "CORP", kCorp + path, address, "").ok());
  }
  int Run(std::vector<std::string> args) {
    args.push_back("--dbpath=" + dir_.path());
    LazySettingsStore store(StorePath());
    out_.str("");
    err_.str("");
    return RunTargetMode(
        ParseProgramArguments(args),
        {client_.get(), &store, &launcher_, "/opt/cvx/bin", &out_, &err_,
         dir_.Write("actions.ini", "[action SSH]\nExec=x-terminal-emulator -e ssh admin@%a\n")});
  }

  test::TempFolder dir_;
  DirectoryClientPtr client_;
  RecordingLauncher launcher_;
  std::ostringstream out_, err_;
};

// A real run starts the action (its code in any case) and records the target, as the window would.
TEST_F(TargetModeTest, OneWorkstationIsStartedAndRemembered) {
  EXPECT_EQ(Run({"--target=ws01", "--server=FS2", "--action=rp"}), kTargetStarted);
  ASSERT_EQ(launcher_.launched.size(), 1u);
  EXPECT_NE(launcher_.launched[0].find("desktop.exe -w\"WS01.SALES.ACME\""), std::string::npos);
  const auto history = SqliteSettingsStore(StorePath()).ReadSection(HistorySection("CORP"));
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].name, kCorp + "ACME\\SALES\\WS01;Workstation");
}

// Several hits or several logins are for the caller to choose from: one per line, status 2. A
// directory entry whose name holds ESC and a newline cannot forge lines or move the terminal.
TEST_F(TargetModeTest, SeveralHitsOrLoginsAreListedOneALineEscaped) {
  AddRecord("ACME\\SALES\\WS02", "IPX 00001001:00104B100102:4005");
  AddRecord("ACME\\SALES\\WS03", "TCP 10.1.1.103");
  EXPECT_EQ(Run({"--target=MMILLER", "--server=FS1"}), kTargetChoose);
  EXPECT_EQ(out_.str(),
            "WS02.SALES.ACME\tNDS:\\\\CORP\\ACME\\SALES\\WS02\n"
            "WS03.SALES.ACME\tNDS:\\\\CORP\\ACME\\SALES\\WS03\n");
  EXPECT_TRUE(launcher_.launched.empty());

  const std::string folder = dir_.path() + "/hostile";
  std::filesystem::copy(CVX_DEMO_DIR, folder);
  // "cn=WS0\x1b[2J\nX,ou=SALES,o=ACME" and its cn, base64 as LDIF wants control characters.
  std::ofstream(folder + "/CORP.ldif", std::ios::app)
      << "\ndn:: Y249V1MwG1sySgpYLG91PVNBTEVTLG89QUNNRQ==\nobjectClass: top\n"
         "objectClass: workstation\ncn:: V1MwG1sySgpY\n";
  Open(folder);
  EXPECT_EQ(Run({"--target=WS0", "--server=FS1"}), kTargetChoose);
  EXPECT_EQ(out_.str().find('\x1b'), std::string::npos);
  EXPECT_NE(out_.str().find("WS0\\x1b[2J\\nX.SALES.ACME\t"), std::string::npos) << out_.str();
}

// Every way the action does not start says why and ends with status 1.
TEST_F(TargetModeTest, EveryFailureSaysWhyWithStatusOne) {
  const struct {
    std::vector<std::string> args;
    std::string said;
  } cases[] = {
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
  // A stored default this run cannot perform (an own action gone) is refused, never replaced.
  StoreDefault("GoneTool");
  EXPECT_EQ(Run({"--target=WS01", "--server=FS1", "--dry-run"}), kTargetNotStarted);
  EXPECT_NE(err_.str().find("\"GoneTool\" is not available"), std::string::npos) << err_.str();
  StoreDefault("RC");
  launcher_.answer = {LaunchStatus::kNotFound, "no such file"};
  EXPECT_EQ(Run({"--target=WS01", "--server=FS1"}), kTargetNotStarted);
  EXPECT_NE(err_.str().find("Could not find files"), std::string::npos) << err_.str();
}

// The stored default may be an own action, which needs no server.
TEST_F(TargetModeTest, AnOwnActionStoredAsTheDefaultIsStarted) {
  StoreDefault("SSH");
  EXPECT_EQ(Run({"--target=WS05"}), kTargetStarted) << err_.str();
  EXPECT_EQ(launcher_.launchedArguments,
            (std::vector<std::vector<std::string>>{
                {"x-terminal-emulator", "-e", "ssh", "admin@10.1.1.105"}}));
}

}  // namespace
}  // namespace cvx
