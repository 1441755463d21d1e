#include "shell/EarlyExit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

namespace cvx {
namespace {

TEST(EarlyExit, EachStartIsAnsweredOnTheRightStreamOrGoesOn) {
  enum Says { kNothing, kVersion, kUsage, kOneErrLine, kNoDisplay };
  const DisplayEnvironment none{}, x11{true, false, false};
  const struct {
    std::vector<std::string> args;
    DisplayEnvironment display;
    std::optional<int> status;
    Says says;
  } cases[] = {
      {{"--version"}, none, 0, kVersion},
      // --help wins over everything else on the line, a run on one target included; "/?" prints
      // the usage where no help window could be closed.
      {{"--target=WS01", "/tree=NDS:\\\\CORP", "--help"}, none, 0, kUsage},
      {{"/?"}, none, 0, kUsage},
      {{"/dbbuild=NDS:\\\\CORP\\ACME", "/autoclose", "/?"}, x11, 0, kUsage},
      {{"--target=WS01", "/?"}, x11, 0, kUsage},
      // Lines that name nothing to act on.
      {{"--target="}, x11, 1, kOneErrLine},
      {{"--target=WS01", "/dbpath="}, none, 1, kOneErrLine},
      // A window start without a display; an "autoclose" inside a value is no option.
      {{}, none, 1, kNoDisplay},
      {{"--tree=CORP"}, none, 1, kNoDisplay},
      {{"/dbbuild=NDS:\\\\CORP\\ACME"}, none, 1, kNoDisplay},
      {{"--autoclose"}, none, 1, kNoDisplay},
      {{"/dbbuild=x/autoclosed"}, none, 1, kNoDisplay},
      {{"/dbbuild=x", "--dbpath=/srv/autoclose-db"}, none, 1, kNoDisplay},
      // Runs that need no display decide for themselves; a "?" inside a value is part of it.
      {{"--target=WS01", "--dry-run"}, none, std::nullopt, kNothing},
      {{"/dbbuild=NDS:\\\\CORP\\ACME", "/AutoClose"}, none, std::nullopt, kNothing},
      {{"/dbbuild=NDS:\\\\CORP\\ACME?", "/autoclose"}, none, std::nullopt, kNothing},
      {{"/?"}, x11, std::nullopt, kNothing},
      {{}, {false, true, false}, std::nullopt, kNothing},
      {{}, {false, false, true}, std::nullopt, kNothing},
  };
  for (const auto& c : cases) {
    std::ostringstream out, err;
    const auto status = EarlyExit(c.args, c.display, out, err);
    const std::string o = out.str(), e = err.str();
    SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
    EXPECT_EQ(status, c.status);
    const bool toOut = c.says == kVersion || c.says == kUsage;
    EXPECT_EQ(e.empty(), toOut || c.says == kNothing) << e;
    EXPECT_EQ(o.empty(), !toOut) << o;
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), e.empty() ? 0 : 1) << e;
    EXPECT_TRUE(e.empty() || e.back() == '\n') << e;
    if (c.says == kVersion) {
      EXPECT_TRUE(
          std::regex_match(o, std::regex("cvx [0-9]+\\.[0-9]+\nLicense GPL-3.0-or-later: .*\n")))
          << o;
    } else if (c.says == kUsage) {
      EXPECT_EQ(o.rfind("Usage: cvx ", 0), 0u) << o;
      for (const char* fact : {"--target=", "--dry-run", "/autoclose", "Exit status"}) {
        EXPECT_NE(o.find(fact), std::string::npos) << fact;
      }
    } else if (c.says == kNoDisplay) {
      for (const char* fact : {"no display", "--target", "/autoclose"}) {
        EXPECT_NE(e.find(fact), std::string::npos) << fact;
      }
    }
  }
  // Output that cannot be written fails.
  std::ostringstream out, err;
  out.setstate(std::ios::badbit);
  EXPECT_EQ(EarlyExit({"--version"}, {}, out, err), 1);
}

}  // namespace
}  // namespace cvx
