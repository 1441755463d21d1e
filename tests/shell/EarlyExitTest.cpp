#include "shell/EarlyExit.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace cvx {
namespace {

// What each start prints, on which stream, with which status; no status: the start goes on.
TEST(EarlyExit, EachStartIsAnsweredOnTheRightStreamOrGoesOn) {
  const std::string usage = R"(Usage: cvx [\s\S]*\n)", line = "[^\n]+\n",
                    noDisplay = "(?=.*--target)(?=.*/autoclose).*no display.*\n";
  const DisplayEnvironment none{}, x11{true, false, false};
  const struct {
    std::vector<std::string> args;
    DisplayEnvironment display;
    std::optional<int> status;
    std::string out, err;  // patterns
  } cases[] = {
      {{"--version"}, none, 0, "cvx [0-9]+\\.[0-9]+\nLicense GPL-3.0-or-later: .*\n", ""},
      // --help wins over everything else on the line, a run on one target included; "/?" prints
      // the usage where no help window could be closed.
      {{"--target=WS01", "/tree=NDS:\\\\CORP", "--help"}, none, 0, usage, ""},
      {{"/?"}, none, 0, usage, ""},
      {{"/dbbuild=NDS:\\\\CORP\\ACME", "/autoclose", "/?"}, x11, 0, usage, ""},
      {{"--target=WS01", "/?"}, x11, 0, usage, ""},
      // Lines that name nothing to act on.
      {{"--target="}, x11, 1, "", line},
      {{"--target=WS01", "/dbpath="}, none, 1, "", line},
      // A window start without a display; an "autoclose" inside a value is no option.
      {{}, none, 1, "", noDisplay},
      {{"--tree=CORP"}, none, 1, "", noDisplay},
      {{"/dbbuild=NDS:\\\\CORP\\ACME"}, none, 1, "", noDisplay},
      {{"--autoclose"}, none, 1, "", noDisplay},
      {{"/dbbuild=x/autoclosed"}, none, 1, "", noDisplay},
      {{"/dbbuild=x", "--dbpath=/srv/autoclose-db"}, none, 1, "", noDisplay},
      // Runs that need no display decide for themselves; a "?" inside a value is part of it.
      {{"--target=WS01", "--dry-run"}, none, std::nullopt, "", ""},
      {{"/dbbuild=NDS:\\\\CORP\\ACME", "/AutoClose"}, none, std::nullopt, "", ""},
      {{"/dbbuild=NDS:\\\\CORP\\ACME?", "/autoclose"}, none, std::nullopt, "", ""},
      {{"/?"}, x11, std::nullopt, "", ""},
      {{}, {false, true, false}, std::nullopt, "", ""},
      {{}, {false, false, true}, std::nullopt, "", ""},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
    EXPECT_EQ(EarlyExit(c.args, c.display, out, err), c.status);
    EXPECT_TRUE(std::regex_match(out.str(), std::regex(c.out))) << out.str();
    EXPECT_TRUE(std::regex_match(err.str(), std::regex(c.err))) << err.str();
  }
  // Output that cannot be written fails.
  std::ostringstream out, err;
  out.setstate(std::ios::badbit);
  EXPECT_EQ(EarlyExit({"--version"}, {}, out, err), 1);
}

}  // namespace
}  // namespace cvx
