// The launcher started for real: the stand-ins built next to the test program append the
// arguments they got to a demo log, and own actions start a recorder script written here, so that
// what reached a program is compared byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTest>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "actions/ActionMenuChoice.h"
#include "actions/LaunchStep.h"
#include "actions/LauncherEnvironment.h"
#include "actions/SpawnLauncher.h"
#include "actions/UncPath.h"
#include "core/BuildRCCommand.h"
#include "core/OwnActionCommand.h"
#include "core/OwnActionsFile.h"
#include "support/TempFolder.h"

namespace cvx {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr char kRcLine[] =
    R"(\\fs2\sys\public\win32\WVIEWNT.EXE -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control")";
constexpr char kRcLogged[] = R"(["wviewnt.exe","-wWS01.SALES.ACME","-nCORP","-cRemote Control"])";

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("CVX_DEMO_LOG", (folder_ / "demo.log").c_str(), 1);
    folder_.Write("recorder",
                  "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done >\"$0.part\"\n"
                  "mv \"$0.part\" \"$0.args\"\n");
    chmod((folder_ / "recorder").c_str(), 0755);
  }
  void TearDown() override { unsetenv("CVX_DEMO_LOG"); }

  static std::string StandinRoot() { return DefaultStandinRoot(CVX_PROGRAM_DIR); }
  // The complete lines of a file (the demo log) or its parts ended by sep (the recorder's
  // arguments), once there are count of them.
  Lines Parts(const std::string& name, std::size_t count = 0, char sep = '\n') const {
    Lines parts;
    (void)QTest::qWaitFor(
        [&] {
          std::istringstream text(folder_.Read(name));
          parts.clear();
          for (std::string part; std::getline(text, part, sep) && !text.eof();)
            parts.push_back(part);
          return parts.size() >= count;
        },
        10000);
    return parts;
  }

  test::TempFolder folder_;
  SpawnLauncher launcher_{StandinRoot()};
};

TEST_F(LauncherTest, FoldersAndNamesMatchWithoutRegardToCaseButAnExactNameWins) {
  ASSERT_EQ(launcher_.Launch(kRcLine).status, LaunchStatus::kStarted);
  EXPECT_EQ(Parts("demo.log", 1), Lines{kRcLogged});
  const fs::path v = fs::path(folder_ / "root") / "S" / "V";
  fs::create_directories(v / "my tools");
  for (const char* name : {"Tool.exe", "TOOL.EXE", "tool.exe", "my tools/x.exe"}) {
    std::ofstream(v / name);
  }
  for (const auto& [unc, path] : {std::pair{R"(\\s\v\TOOL.EXE)", "TOOL.EXE"},
                                  {R"(\\s\v\tOOL.EXE)", "TOOL.EXE"},
                                  {R"(\\s\v\My Tools\x.exe)", "my tools/x.exe"}}) {
    EXPECT_EQ(MapUncPath(folder_ / "root", unc).path, (v / path).string()) << unc;
  }
}

TEST_F(LauncherTest, MissingProgramsAreNotFoundAndPathsOutOfTheRootAreRefused) {
  const std::pair<std::string, LaunchStatus> cases[] = {
      {R"(\\FS3\sys\public\zenworks\wviewnt.exe -w"WS01")", LaunchStatus::kNotFound},
      {R"(\\FS1\sys\public\win32\desktop.exe -w"WS01")", LaunchStatus::kNotFound},
      {R"(\\FS1\sys\public\zenworks\wviewnt.exe\x -w"WS01")", LaunchStatus::kNotFound},
      {R"(\\FS1\sys)", LaunchStatus::kNotFound},
      {R"(wviewnt.exe -w"WS01")", LaunchStatus::kNotFound},
      {"  ", LaunchStatus::kEmpty},
      {R"(\\..\x\bin\sh -c "touch x")", LaunchStatus::kFailed},
      {R"(\\.\SYS\x)", LaunchStatus::kFailed},
      {R"(\\\SYS\x)", LaunchStatus::kFailed},
      {R"(\\FS1\..\..\..\..\..\..\bin\sh -c "touch x")", LaunchStatus::kFailed},
      {R"(\\FS1/../..\x\sh)", LaunchStatus::kFailed},
      {R"(\\FS1\SYS\.\PUBLIC\x)", LaunchStatus::kFailed},
      {"\\\\FS1\\SYS\\PUB\x01LIC\\x", LaunchStatus::kFailed},
      {"\\\\FS1\\SYS\x7f\\x", LaunchStatus::kFailed},
  };
  for (const auto& [line, status] : cases) {
    const auto outcome = launcher_.Launch(line);
    EXPECT_EQ(outcome.status, status) << line;
    EXPECT_EQ(outcome.reason.empty(), status == LaunchStatus::kEmpty) << line;
  }
  EXPECT_EQ(SpawnLauncher(folder_ / "nowhere").Launch(kRcLine).status, LaunchStatus::kNotFound);
}

// An .exe runs through the runner. A failure is only a status text with the reason (a missing
// program is the catalogue's box, which the window's tests show); a start or an empty line
// nothing at all.
TEST_F(LauncherTest, ExeProgramsRunThroughTheRunnerAndAFailureIsAStatusText) {
  SpawnLauncher runner(StandinRoot(), "env X=1");
  for (const char* line : {kRcLine, ""}) {
    const LaunchReaction quiet = LaunchStep(runner, line);
    ASSERT_FALSE(quiet.message || quiet.showServerSettings || quiet.statusText) << line;
  }
  EXPECT_EQ(Parts("demo.log", 1), Lines{kRcLogged});
  const auto noRunner = SpawnLauncher(StandinRoot(), "cvx-no-such-runner").Launch(kRcLine);
  EXPECT_NE(noRunner.reason.find("cvx-no-such-runner"), std::string::npos) << noRunner.reason;
  fs::create_directories(folder_ / "SRV/SYS");
  folder_.Write("SRV/SYS/tool.exe", "not a program\n");
  SpawnLauncher plain(folder_.path());
  const LaunchReaction denied = LaunchStep(plain, R"(\\srv\sys\tool.exe -x)");
  EXPECT_FALSE(denied.message || denied.showServerSettings);
  EXPECT_EQ(denied.statusText, "Could not start the remote management program: " +
                                   (folder_ / "SRV/SYS/tool.exe") + ": Permission denied");
}

// Shell syntax reaches the program as one plain argument (a shell would have run it first); quotes
// and line ends, which would let a value become options of its own, form nothing.
TEST_F(LauncherTest, HostileNamesStartNothingElse) {
  const std::string touch = "touch " + (folder_ / "touched");
  const std::string dollar = R"(NDS:\\CORP\ACME\$()" + touch + ")";
  const std::string backtick = R"(NDS:\\CORP\ACME\`)" + touch + "`";
  const std::string ws = R"(NDS:\\CORP\ACME\SALES\WS01)";
  const std::string inventory = "10.1.1.5; " + touch;
  const std::string quoted = R"(NDS:\\CORP\ACME\WS01" & )" + touch + R"( & ")";
  const std::string broken = "10.1.1.5\n" + touch;
  const std::pair<RCCommandRequest, std::string> requests[] = {
      {{dollar, "RC", true, "FS1", ""},
       R"(["wviewnt.exe","-w$()" + touch + R"().ACME","-nCORP","-cRemote Control"])"},
      {{backtick, "RC", true, "FS1", ""},
       R"(["wviewnt.exe","-w`)" + touch + R"(`.ACME","-nCORP","-cRemote Control"])"},
      {{ws, "RI", true, "FS1", inventory},
       R"(["desktop.exe","-wWS01.SALES.ACME","-nCORP","-cInventory","-d)" + inventory + R"("])"},
      {{quoted, "RC", true, "FS1", ""}, ""},
      {{ws, "RI", true, "FS1", broken}, ""},
  };
  Lines logged;
  for (const auto& [request, line] : requests) {
    const auto outcome = launcher_.Launch(BuildRCCommand(request).commandLine);
    ASSERT_EQ(outcome.status, line.empty() ? LaunchStatus::kEmpty : LaunchStatus::kStarted);
    if (!line.empty()) logged.push_back(line);
    EXPECT_EQ(Parts("demo.log", logged.size()), logged);
  }
  EXPECT_FALSE(fs::exists(folder_ / "touched"));
}

// The states of this process's children, from /proc.
std::string ChildStates() {
  std::string states;
  for (const auto& e : fs::directory_iterator("/proc")) {
    std::ifstream in(e.path() / "stat");
    std::string stat;
    char state = 0;
    pid_t parent = 0;
    // pid (name) state parent ...; the name may hold anything, also ')'.
    if (std::getline(in, stat, '\0') &&
        std::istringstream(stat.substr(stat.rfind(')') + 1)) >> state >> parent &&
        parent == getpid())
      states += state;
  }
  return states;
}

TEST_F(LauncherTest, ManyLaunchesSideBySideLeaveWholeLinesAndNoZombie) {
  std::multiset<std::string> expected;
  for (int i = 0; i < 40; ++i) {
    const std::string ws = "WS" + std::to_string(i);
    const std::string fullName = R"(NDS:\\CORP\ACME\)" + ws;
    ASSERT_EQ(
        launcher_.Launch(BuildRCCommand({fullName, "RC", true, "FS1", ""}).commandLine).status,
        LaunchStatus::kStarted);
    expected.insert(R"(["wviewnt.exe","-w)" + ws + R"(.ACME","-nCORP","-cRemote Control"])");
  }
  const auto lines = Parts("demo.log", expected.size());
  EXPECT_EQ(std::multiset<std::string>(lines.begin(), lines.end()), expected);
  EXPECT_TRUE(QTest::qWaitFor([] { return ChildStates().empty(); }, 10000))
      << "children left, 'Z' are zombies: " << ChildStates();
}

// No shell in between: nothing is expanded, split or joined. A program that does not start is
// only a status text, not the catalogue's message about the server's files.
TEST_F(LauncherTest, AnOwnActionReachesItsProgramArgumentForArgument) {
  const auto file =
      ParseOwnActions("[action Rec]\nExec=\"" + (folder_ / "recorder") +
                          "\" \"--label=%w on %n\" %w %a \"\\\\$HOME;\\\\$x\" \"\" 100%%\n",
                      "t.ini");
  ASSERT_TRUE(file.problems.empty()) << file.problems.front();
  const auto command = FormOwnActionCommand(
      file.actions[0], {R"(NDS:\\CORP\ACME\Field Service\PC 12)", "", "10.1.4.112"});
  const LaunchReaction reaction = LaunchArgumentsStep(launcher_, command.arguments);
  EXPECT_FALSE(reaction.statusText || reaction.message);
  EXPECT_EQ(Parts("recorder.args", 6, '\0'),
            (Lines{"--label=PC 12.Field Service.ACME on CORP", "PC 12.Field Service.ACME",
                   "10.1.4.112", "$HOME;$x", "", "100%"}));

  const LaunchReaction missing = LaunchArgumentsStep(launcher_, {"cvx-no-such-program", "x"});
  EXPECT_FALSE(missing.message || missing.showServerSettings);
  EXPECT_EQ(missing.statusText,
            "Could not start the action's program: cvx-no-such-program: No such file or directory");
  chmod((folder_ / "recorder").c_str(), 0644);
  EXPECT_EQ(launcher_.LaunchArguments({folder_ / "recorder"}).status, LaunchStatus::kFailed);
  EXPECT_EQ(launcher_.LaunchArguments({folder_ / "gone/x"}).status, LaunchStatus::kNotFound);
  EXPECT_EQ(launcher_.LaunchArguments({}).status, LaunchStatus::kEmpty);
}

// Only Inventory needs its server, refused before the pick (there may be none); a blank one is
// used as typed; a results hit of another class is recorded with its icon.
TEST(ActionMenuChoice, InventoryNeedsItsServerAndAnyPickedHitIsATarget) {
  for (const RemoteAction& action : ActionCatalogue()) {
    EXPECT_EQ(RefusedForInventoryServer(action, ""), action.code == "RI") << action.code;
  }
  EXPECT_EQ(PlanActionMenuEntry(*FindAction("RI"), "", {}).start, ActionMenuStart::kRefused);
  EXPECT_FALSE(ChooseDefaultAction(*FindAction("RI"), " ").refused);
  const ActionMenuOutcome hit =
      PlanActionMenuEntry(*FindAction("RC"), "", {true, true, R"(NDS:\\CORP\WS01)", "User", {}});
  EXPECT_EQ(hit.start, ActionMenuStart::kRunRemoteAction);
  EXPECT_EQ(hit.targetClass, "User");
}

}  // namespace
}  // namespace cvx
