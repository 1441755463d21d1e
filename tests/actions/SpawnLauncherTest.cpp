#include "actions/SpawnLauncher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "actions/StandinFixture.h"
#include "actions/UncPath.h"

namespace cvx {
namespace {

namespace fs = std::filesystem;
using Fixture = StandinFixture;

constexpr char kRcLine[] =
    R"(\\fs2\sys\public\win32\WVIEWNT.EXE -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control")";

TEST_F(Fixture, VolumesAndFoldersMatchWithoutRegardToCase) {
  const auto mapped = MapUncPath(StandinRoot(), R"(\\fs1\sys\Public\zenworks\Desktop.EXE)");
  EXPECT_EQ(mapped.status, UncMapping::Status::kMapped);
  EXPECT_EQ(mapped.path, StandinRoot() + "/FS1/SYS/PUBLIC/ZENWORKS/desktop.exe");

  ASSERT_EQ(launcher_.Launch(kRcLine).status, LaunchStatus::kStarted);
  ASSERT_TRUE(WaitForLogLines(1));
  EXPECT_EQ(LogLines()[0], R"(["wviewnt.exe","-wWS01.SALES.ACME","-nCORP","-cRemote Control"])");
}

TEST_F(Fixture, AnExactNameWinsOverOneThatDiffersInCase) {
  const fs::path root = TempPath("root");
  fs::create_directories(root / "S" / "V");
  std::ofstream(root / "S" / "V" / "Tool.exe");
  std::ofstream(root / "S" / "V" / "TOOL.EXE");
  std::ofstream(root / "S" / "V" / "tool.exe");
  EXPECT_EQ(MapUncPath(root, R"(\\s\v\TOOL.EXE)").path, (root / "S/V/TOOL.EXE").string());
  EXPECT_EQ(MapUncPath(root, R"(\\s\v\tOOL.EXE)").path, (root / "S/V/TOOL.EXE").string());
  // A blank is a character of a name like any other.
  fs::create_directories(root / "S" / "V" / "my tools");
  std::ofstream(root / "S" / "V" / "my tools" / "x.exe");
  EXPECT_EQ(MapUncPath(root, R"(\\s\v\My Tools\x.exe)").path,
            (root / "S/V/my tools/x.exe").string());
}

TEST_F(Fixture, MissingProgramsAndFoldersAreNotFound) {
  for (const char* line : {
           R"(\\FS3\sys\public\zenworks\wviewnt.exe -w"WS01" -n"CORP" -c"Remote Control")",
           // The win32 folder holds only the viewer.
           R"(\\FS1\sys\public\win32\desktop.exe -w"WS01" -n"CORP" -c"Chat")",
           R"(\\FS1\sys\public\zenworks\wviewnt.exe\x -w"WS01")",
           R"(\\FS1\sys)",
           R"(wviewnt.exe -w"WS01" -n"CORP" -c"Remote Control")",
       }) {
    EXPECT_EQ(launcher_.Launch(line).status, LaunchStatus::kNotFound) << line;
  }
  EXPECT_EQ(SpawnLauncher(TempPath("no-such-root")).Launch(kRcLine).status,
            LaunchStatus::kNotFound);
  EXPECT_EQ(launcher_.Launch("").status, LaunchStatus::kEmpty);
  EXPECT_EQ(launcher_.Launch("  ").status, LaunchStatus::kEmpty);
}

TEST_F(Fixture, PathsLeadingOutOfTheRootAreRefused) {
  for (const std::string line :
       {R"(\\..\x\bin\sh -c "touch x")", R"(\\.\SYS\x)", R"(\\\SYS\x)",
        R"(\\FS1\..\..\..\..\..\..\bin\sh -c "touch x")", R"(\\FS1/../..\x\sh)",
        R"(\\FS1\SYS\.\PUBLIC\x)", "\\\\FS1\\SYS\\PUB\x01LIC\\x", "\\\\FS1\\SYS\x7f\\x"}) {
    const auto outcome = launcher_.Launch(line);
    EXPECT_EQ(outcome.status, LaunchStatus::kFailed) << line;
    EXPECT_FALSE(outcome.reason.empty());
  }
}

TEST_F(Fixture, AProgramThatCannotRunGivesTheReason) {
  const fs::path folder = fs::path(TempPath("root")) / "SRV" / "SYS";
  fs::create_directories(folder);
  std::ofstream(folder / "tool.exe") << "not a program\n";
  chmod((folder / "tool.exe").c_str(), 0644);
  const auto outcome = SpawnLauncher(TempPath("root")).Launch(R"(\\srv\sys\tool.exe -x)");
  EXPECT_EQ(outcome.status, LaunchStatus::kFailed);
  EXPECT_NE(outcome.reason.find("Permission denied"), std::string::npos) << outcome.reason;
}

TEST_F(Fixture, ExeProgramsRunThroughTheRunner) {
  SpawnLauncher viaEnv(StandinRoot(), "env CVX_RUNNER_SEEN=1");
  ASSERT_EQ(viaEnv.Launch(kRcLine).status, LaunchStatus::kStarted);
  ASSERT_TRUE(WaitForLogLines(1));
  EXPECT_EQ(LogLines()[0], R"(["wviewnt.exe","-wWS01.SALES.ACME","-nCORP","-cRemote Control"])");

  const auto missing = SpawnLauncher(StandinRoot(), "cvx-no-such-runner").Launch(kRcLine);
  EXPECT_EQ(missing.status, LaunchStatus::kFailed);
  EXPECT_NE(missing.reason.find("cvx-no-such-runner"), std::string::npos);
}

}  // namespace
}  // namespace cvx
