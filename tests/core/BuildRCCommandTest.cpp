#include "core/BuildRCCommand.h"

#include <gtest/gtest.h>

#include "core/ActionCatalogue.h"

namespace cvx {
namespace {

constexpr std::string_view kWs01 = R"(NDS:\\CORP\ACME\SALES\WS01)";

RCCommandRequest Request(std::string_view code, bool extended = true,
                         std::string_view fullName = kWs01, std::string_view invServer = "") {
  return RCCommandRequest{fullName, code, extended, "FS1", invServer};
}

std::string Line(const RCCommandRequest& request) {
  return BuildRCCommand(request).commandLine;
}

TEST(BuildRCCommand, FormsTheDocumentedCommandLines) {
  EXPECT_EQ(
      Line(Request("RC")),
      R"(\\FS1\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control")");
  EXPECT_EQ(
      Line(Request("RC", false)),
      R"(\\FS1\sys\public\win32\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control")");
  EXPECT_EQ(Line(Request("RP")),
            R"(\\FS1\sys\public\zenworks\desktop.exe -w"WS01.SALES.ACME" -n"CORP" -c"Ping")");
  EXPECT_EQ(
      Line(Request("RI", true, kWs01, "10.1.1.5")),
      R"(\\FS1\sys\public\zenworks\desktop.exe -w"WS01.SALES.ACME" -n"CORP" -c"Inventory" -d"10.1.1.5")");
  const auto outcome = BuildRCCommand(Request("RV"));
  EXPECT_EQ(outcome.statusText, "");
  EXPECT_TRUE(outcome.addHistory);
}

TEST(BuildRCCommand, BlanksAroundNamesGoAndBlanksInsideStay) {
  EXPECT_EQ(Line(Request("RC", true, R"(NDS:\\CORP\WS01)")),
            R"(\\FS1\sys\public\zenworks\wviewnt.exe -w"WS01" -n"CORP" -c"Remote Control")");
  EXPECT_EQ(
      Line(Request("RC", true, R"(NDS:\\ CORP \ACME\SALES\PC 12 )")),
      R"(\\FS1\sys\public\zenworks\wviewnt.exe -w"PC 12.SALES.ACME" -n"CORP" -c"Remote Control")");
  EXPECT_EQ(
      Line(Request("RI", true, kWs01, " inv.acme ")),
      R"(\\FS1\sys\public\zenworks\desktop.exe -w"WS01.SALES.ACME" -n"CORP" -c"Inventory" -d" inv.acme ")");
}

TEST(BuildRCCommand, NoServerLeavesEverythingAlone) {
  for (const auto& action : ActionCatalogue()) {
    auto request = Request(action.code);
    request.serverName = "";
    const auto outcome = BuildRCCommand(request);
    EXPECT_TRUE(outcome.commandLine.empty());
    EXPECT_FALSE(outcome.statusText.has_value());
    EXPECT_FALSE(outcome.addHistory);
  }
}

TEST(BuildRCCommand, UnknownCodeClearsStatusAndWritesHistory) {
  for (const char* code : {"XX", "rc", ""}) {
    const auto outcome = BuildRCCommand(Request(code));
    EXPECT_TRUE(outcome.commandLine.empty()) << code;
    EXPECT_EQ(outcome.statusText, "");
    EXPECT_TRUE(outcome.addHistory);
  }
}

TEST(BuildRCCommand, RefusesValuesThatLeaveTheirQuotes) {
  struct Case {
    RCCommandRequest request;
    std::string_view status;
  };
  const Case cases[] = {
      {Request("RC", true, R"(NDS:\\CORP\ACME\WS01" -w"WS99)"), kRefusedWorkstation},
      {Request("RC", true, "NDS:\\\\CORP\\ACME\\WS01\nX"), kRefusedWorkstation},
      {Request("RC", true, "NDS:\\\\CO\tRP\\ACME\\WS01"), kRefusedTree},
      {Request("RI", true, kWs01, R"(10.1.1.5" -w"WS99)"), kRefusedInventoryServer},
      {Request("RI", true, kWs01, "10.1.1.5\r\n"), kRefusedInventoryServer},
      {Request("RC", true, R"(NDS:\\CORP)"), kRefusedNoWorkstation},
      {{kWs01, "RC", true, "..", ""}, kRefusedServer},
      {{kWs01, "RC", true, ".", ""}, kRefusedServer},
      {{kWs01, "RC", true, "FS1/../..", ""}, kRefusedServer},
      {{kWs01, "RC", true, R"(FS1\..)", ""}, kRefusedServer},
      {{kWs01, "RC", true, "FS1 -x", ""}, kRefusedServer},
      {{kWs01, "RC", true, "FS1\"", ""}, kRefusedServer},
  };
  for (const auto& c : cases) {
    const auto outcome = BuildRCCommand(c.request);
    EXPECT_TRUE(outcome.commandLine.empty()) << outcome.commandLine;
    EXPECT_EQ(outcome.statusText, std::string(c.status)) << c.request.fullName;
    EXPECT_FALSE(outcome.addHistory);
  }
  // The inventory server only matters where it is used.
  EXPECT_FALSE(Line(Request("RC", true, kWs01, "\"")).empty());
  // Shell syntax is just text here: the launcher never hands the line to a shell.
  EXPECT_EQ(
      Line(Request("RC", true, R"(NDS:\\CORP\$(touch x); rm y)")),
      R"(\\FS1\sys\public\zenworks\wviewnt.exe -w"$(touch x); rm y" -n"CORP" -c"Remote Control")");
}

}  // namespace
}  // namespace cvx
