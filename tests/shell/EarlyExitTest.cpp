#include "shell/EarlyExit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace cvx {
namespace {

struct StartRun {
  std::optional<int> status;
  std::string out;
  std::string err;
};

StartRun Start(const std::vector<std::string>& arguments, DisplayEnvironment display = {}) {
  std::ostringstream out;
  std::ostringstream err;
  StartRun run;
  run.status = EarlyExit(arguments, display, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(EarlyExit, VersionAndHelpPrintToStdoutWithoutADisplay) {
  const StartRun version = Start({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(std::regex_match(version.out,
                               std::regex("cvx [0-9]+\\.[0-9]+\nLicense GPL-3.0-or-later: .*\n")))
      << version.out;
  EXPECT_EQ(version.err, "");

  // --help wins over everything else on the line, a run on one target included.
  const StartRun help = Start({"--target=WS01", "/tree=NDS:\\\\CORP", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: cvx ", 0), 0u) << help.out;
  for (const char* fact : {"--target=", "--dry-run", "/autoclose", "Exit status"}) {
    EXPECT_NE(help.out.find(fact), std::string::npos) << fact;
  }
  EXPECT_EQ(help.out.back(), '\n');
}

TEST(EarlyExit, WindowStartWithoutADisplaySaysSoInOneLine) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{},
                                             {"--tree=CORP"},
                                             {"/dbbuild=NDS:\\\\CORP\\ACME"},
                                             {"--autoclose"},
                                             {"/dbbuild=x/autoclosed"},
                                             {"/dbbuild=x", "--dbpath=/srv/autoclose-db"}}) {
    const StartRun run = Start(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--target"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("/autoclose"), std::string::npos) << run.err;
  }
}

TEST(EarlyExit, StartsThatNeedNoDisplayOrHaveOneGoOn) {
  // A run on one target and an unattended build decide for themselves; a "?" inside a value is
  // part of the value.
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--target=WS01", "--dry-run"},
                                             {"/dbbuild=NDS:\\\\CORP\\ACME", "/AutoClose"},
                                             {"/dbbuild=NDS:\\\\CORP\\ACME?", "/autoclose"}}) {
    const StartRun run = Start(arguments);
    EXPECT_FALSE(run.status) << arguments.front();
    EXPECT_EQ(run.out + run.err, "");
  }
  for (const DisplayEnvironment display :
       {DisplayEnvironment{true, false, false}, DisplayEnvironment{false, true, false},
        DisplayEnvironment{false, false, true}}) {
    EXPECT_FALSE(Start({}, display).status);
    EXPECT_FALSE(Start({"/?"}, display).status);
  }
}

TEST(EarlyExit, HelpWithoutAWindowAndLinesThatNameNothing) {
  struct Case {
    std::vector<std::string> arguments;
    DisplayEnvironment display;
    int status;
    bool usage;  // else: one line on err
  };
  for (const Case& c : std::vector<Case>{
           {{"/?"}, {}, 0, true},
           {{"/dbbuild=NDS:\\\\CORP\\ACME", "/autoclose", "/?"}, {true, false, false}, 0, true},
           {{"--target=WS01", "/?"}, {true, false, false}, 0, true},
           {{"--target="}, {true, false, false}, 1, false},
           {{"--target=WS01", "/dbpath="}, {}, 1, false}}) {
    const StartRun run = Start(c.arguments, c.display);
    EXPECT_EQ(run.status, c.status) << c.arguments.front();
    EXPECT_EQ(run.out.rfind("Usage: cvx ", 0) == 0, c.usage) << run.out;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.usage ? 0 : 1) << run.err;
  }
}

TEST(EarlyExit, AnUnwritableOutputFails) {
  std::ostringstream out;
  out.setstate(std::ios::badbit);
  std::ostringstream err;
  EXPECT_EQ(EarlyExit({"--version"}, {}, out, err), 1);
}

}  // namespace
}  // namespace cvx
