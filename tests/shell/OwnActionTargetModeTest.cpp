// Own actions in a run on one target without a window: --action=NAME or the stored default, a dry
// run printing the arguments one a line, and the actions file's problems on the error stream.

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
#include "shell/TargetMode.h"
#include "wsdb/RecordAppender.h"

namespace cvx {
namespace {

const std::string kCorp = R"(NDS:\\CORP\)";

class OwnActionTargetMode : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = *client;
    WriteActions(
        "[action SSH]\nExec=x-terminal-emulator -e ssh admin@%a\n"
        "[action Probe]\nExec=probe %a %w %u \"--label=%w on %n\"\n");
  }

  std::string Folder() const { return dir_.path().toStdString(); }
  std::string StorePath() const { return Folder() + "/config/corvexa/settings.sqlite3"; }
  std::string ActionsPath() const { return Folder() + "/config/corvexa/actions.ini"; }
  void WriteActions(const std::string& text) const {
    std::filesystem::create_directories(Folder() + "/config/corvexa");
    std::ofstream(ActionsPath()) << text;
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

TEST_F(OwnActionTargetMode, ADryRunPrintsOneArgumentALineAndNeedsNoServer) {
  EXPECT_EQ(Run({"--target=WS01", "--action=SSH", "--dry-run"}), kTargetStarted) << err_.str();
  EXPECT_EQ(out_.str(), "x-terminal-emulator\n-e\nssh\nadmin@10.1.1.101\n");
  EXPECT_EQ(err_.str(), "");
  EXPECT_TRUE(launcher_.launchedArguments.empty());
  EXPECT_FALSE(std::filesystem::exists(StorePath()));

  // A blank inside the name stays inside its argument.
  EXPECT_EQ(Run({"--target=PC 12", "--action=Probe", "--dry-run"}), kTargetStarted) << err_.str();
  EXPECT_EQ(out_.str(),
            "probe\n10.1.4.112\nPC 12.Field Service.ACME\n"
            "--label=PC 12.Field Service.ACME on CORP\n");
}

TEST_F(OwnActionTargetMode, AUserIsReachedAtTheAddressOfTheLoginThatFoundTheWorkstation) {
  // TCLARK's TCP login 10.1.1.105 is WS01's in this database; WS01's own address is 10.1.1.101.
  ASSERT_TRUE(
      AppendWorkstationRecord(Folder(), "CORP", kCorp + R"(ACME\SALES\WS01)", "TCP 10.1.1.105", "")
          .ok());
  EXPECT_EQ(Run({"--target=TCLARK", "--action=Probe"}), kTargetStarted) << err_.str();
  ASSERT_EQ(launcher_.launchedArguments.size(), 1u);
  EXPECT_EQ(launcher_.launchedArguments[0],
            (std::vector<std::string>{"probe", "10.1.1.105", "WS01.SALES.ACME", "TCLARK.SALES.ACME",
                                      "--label=WS01.SALES.ACME on CORP"}));
  SqliteSettingsStore store(StorePath());
  ASSERT_EQ(store.ReadSection(HistorySection("CORP")).size(), 1u);
  EXPECT_EQ(store.ReadSection(HistorySection("CORP"))[0].name, kCorp + "ACME\\SALES\\TCLARK;User");
}

TEST_F(OwnActionTargetMode, TheStoredDefaultMayBeAnOwnAction) {
  {
    SqliteSettingsStore store(StorePath());
    ASSERT_TRUE(store.WriteValue(SettingsSection("CORP"), "Remote Action", "SSH").ok);
  }
  EXPECT_EQ(Run({"--target=WS05", "--dry-run"}), kTargetStarted) << err_.str();
  EXPECT_EQ(out_.str(), "x-terminal-emulator\n-e\nssh\nadmin@10.1.1.105\n");
}

TEST_F(OwnActionTargetMode, FailuresSayWhyWithStatusOne) {
  EXPECT_EQ(Run({"--target=WS06", "--action=SSH"}), kTargetNotStarted);
  EXPECT_EQ(err_.str(), "cvx: Not started: no IPv4 address is known for WS06.SALES.ACME!\n");

  launcher_.answer = {LaunchStatus::kNotFound, "x-terminal-emulator: No such file or directory"};
  EXPECT_EQ(Run({"--target=WS01", "--action=SSH"}), kTargetNotStarted);
  EXPECT_EQ(err_.str(),
            "cvx: Could not start the action's program: x-terminal-emulator: No such file or "
            "directory\n");
  EXPECT_TRUE(launcher_.launched.empty());
}

TEST_F(OwnActionTargetMode, TheFilesProblemsGoToTheErrorStreamAndTheRestWorks) {
  WriteActions("[action SSH]\nExec=ssh admin@%a\n[action Bad]\nExec=\n");
  EXPECT_EQ(Run({"--target=WS01", "--action=SSH", "--dry-run"}), kTargetStarted);
  EXPECT_EQ(out_.str(), "ssh\nadmin@10.1.1.101\n");
  EXPECT_EQ(err_.str(),
            "cvx: " + ActionsPath() + ":4: Exec is empty; the action \"Bad\" is left out\n");
}

}  // namespace
}  // namespace cvx
