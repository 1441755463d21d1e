#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <filesystem>
#include <fstream>
#include <set>

#include "actions/StandinFixture.h"
#include "core/BuildRCCommand.h"

namespace cvx {
namespace {

using Fixture = StandinFixture;

constexpr std::string_view kWs01 = R"(NDS:\\CORP\ACME\SALES\WS01)";

LaunchOutcome BuildAndLaunch(ProcessLauncher& launcher, const RCCommandRequest& request) {
  return launcher.Launch(BuildRCCommand(request).commandLine);
}

TEST_F(Fixture, HostileNamesStartNothingElse) {
  const std::string marker = TempPath("touched");
  const std::string touch = "touch " + marker;

  // Shell syntax without quotes or line ends is formed into the line and reaches the program as
  // one plain argument; a shell would have run it before the program wrote its line.
  const std::string accepted[][2] = {
      {R"(NDS:\\CORP\ACME\$()" + touch + ")", "-w$(" + touch + ").ACME"},
      {R"(NDS:\\CORP\ACME\`)" + touch + "`", "-w`" + touch + "`.ACME"},
  };
  std::size_t lines = 0;
  for (const auto& [fullName, argument] : accepted) {
    ASSERT_EQ(BuildAndLaunch(launcher_, {fullName, "RC", true, "FS1", ""}).status,
              LaunchStatus::kStarted);
    ASSERT_TRUE(WaitForLogLines(++lines));
    EXPECT_EQ(LogLines().back(),
              R"(["wviewnt.exe",")" + argument + R"(","-nCORP","-cRemote Control"])");
  }
  ASSERT_EQ(BuildAndLaunch(launcher_, {kWs01, "RI", true, "FS1", "10.1.1.5; " + touch}).status,
            LaunchStatus::kStarted);
  ASSERT_TRUE(WaitForLogLines(++lines));
  EXPECT_EQ(LogLines().back(),
            R"(["desktop.exe","-wWS01.SALES.ACME","-nCORP","-cInventory","-d10.1.1.5; )" + touch +
                R"("])");
  // Quotes and line ends would let a value become options of its own: nothing is formed.
  // The requests only view their texts, which must outlive them.
  const std::string quoted = R"(NDS:\\CORP\ACME\WS01" & )" + touch + R"( & ")";
  const std::string broken = "10.1.1.5\n" + touch;
  for (const RCCommandRequest& refused : std::vector<RCCommandRequest>{
           {quoted, "RC", true, "FS1", ""}, {kWs01, "RI", true, "FS1", broken}}) {
    EXPECT_EQ(launcher_.Launch(BuildRCCommand(refused).commandLine).status, LaunchStatus::kEmpty);
  }
  EXPECT_EQ(LogLines().size(), lines);
  EXPECT_FALSE(std::filesystem::exists(marker));
}

// The states of this process's children, from /proc.
std::vector<char> ChildStates() {
  std::vector<char> states;
  const std::string self = std::to_string(getpid());
  DIR* proc = opendir("/proc");
  while (const dirent* e = proc ? readdir(proc) : nullptr) {
    if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
    std::ifstream in(std::string("/proc/") + e->d_name + "/stat");
    std::string stat;
    std::getline(in, stat);
    const auto close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(stat.substr(close + 1));
    char state = 0;
    std::string ppid;
    fields >> state >> ppid;
    if (ppid == self) states.push_back(state);
  }
  if (proc) closedir(proc);
  return states;
}

TEST_F(Fixture, ManyLaunchesLeaveNoZombie) {
  constexpr int kLaunches = 40;
  std::multiset<std::string> expected;
  for (int i = 0; i < kLaunches; ++i) {
    const std::string ws = "WS" + std::to_string(i);
    ASSERT_EQ(BuildAndLaunch(launcher_, {R"(NDS:\\CORP\ACME\)" + ws, "RC", true, "FS1", ""}).status,
              LaunchStatus::kStarted);
    expected.insert(R"(["wviewnt.exe","-w)" + ws + R"(.ACME","-nCORP","-cRemote Control"])");
  }
  ASSERT_TRUE(WaitForLogLines(kLaunches));
  // The programs ran side by side; the lock kept every line whole.
  const auto lines = LogLines();
  EXPECT_EQ(std::multiset<std::string>(lines.begin(), lines.end()), expected);

  EXPECT_TRUE(QTest::qWaitFor([] { return ChildStates().empty(); }, 10000))
      << "children left, 'Z' are zombies: "
      << std::string(ChildStates().begin(), ChildStates().end());
}

// A stand-in started with a line the catalogue never forms says so and does nothing.
TEST_F(Fixture, StandinsRefuseLinesOutsideTheCatalogue) {
  const std::pair<const char*, QStringList> foreign[] = {
      {"wviewnt.exe", {}},
      {"wviewnt.exe", {"-wWS01", "-nCORP", "-cPing"}},
      {"wviewnt.exe", {"-wWS01", "-nCORP", "-cRemote Control", "extra"}},
      {"wviewnt.exe", {"-nCORP", "-wWS01", "-cRemote Control"}},
      {"wviewnt.exe", {"-w", "-nCORP", "-cRemote Control"}},
      {"desktop.exe", {"-wWS01", "-nCORP", "-cInventory"}},
      {"desktop.exe", {"-wWS01", "-nCORP", "-cChat", "-dX"}},
  };
  for (const auto& [program, args] : foreign) {
    QProcess process;
    process.start(QString::fromStdString(StandinRoot() + "/FS1/SYS/PUBLIC/ZENWORKS/" + program),
                  args);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 2) << program << " " << args.join(' ').toStdString();
    EXPECT_NE(process.readAllStandardError().indexOf("usage:"), -1);
  }
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace cvx
