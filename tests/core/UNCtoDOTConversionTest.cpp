#include "core/UNCtoDOTConversion.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

TEST(UNCtoDOTConversion, ComponentsBottomUpWithoutTree) {
  EXPECT_EQ(DottedName(R"(NDS:\\CORP\ACME\SALES\JSMITH)"), "JSMITH.SALES.ACME");
  EXPECT_EQ(DottedName(R"(NDS:\\CORP\ACME)"), "ACME");
  EXPECT_EQ(DottedName(R"(NDS:\\CORP)"), "CORP");
  EXPECT_EQ(DottedName(R"(NDS:\\CORP\ACME\Sales Team\J SMITH)"), "J SMITH.Sales Team.ACME");
}

TEST(UNCtoDOTConversion, ReplacesItsArgument) {
  std::string name = R"(NDS:\\CORP\ACME\WS01)";
  EXPECT_EQ(UNCtoDOTConversion(name), "WS01.ACME");
  EXPECT_EQ(name, "WS01.ACME");
  // Converting again leaves a dotted name as it is: it holds no backslash.
  EXPECT_EQ(UNCtoDOTConversion(name), "WS01.ACME");
}

TEST(UNCtoDOTConversion, NamesWithoutPrefixAndEmptyNames) {
  EXPECT_EQ(DottedName(""), "");
  EXPECT_EQ(DottedName("JSMITH.SALES.ACME"), "JSMITH.SALES.ACME");
  // A path without the prefix converts like one with it: the first part is taken as the tree.
  EXPECT_EQ(DottedName(R"(CORP\ACME\WS01)"), "WS01.ACME");
}

TEST(UNCtoDOTConversion, BlanksAroundALevelDoNotShiftTheCuts) {
  EXPECT_EQ(DottedName(R"(NDS:\\CORP\ACME\WS01  )"), "WS01.ACME");
  EXPECT_EQ(DottedName(R"(NDS:\\CORP\ACME \SALES\WS01)"), "WS01.SALES.ACME");
  EXPECT_EQ(DottedName(R"(  NDS:\\CORP\ ACME\Sales Team )"), "Sales Team.ACME");
}

TEST(SplitFullName, KeepsTheTreeApart) {
  const auto parts = SplitFullName(R"(NDS:\\ CORP \ACME\SALES\WS01)");
  EXPECT_EQ(parts.componentsBottomUp, (std::vector<std::string>{"WS01", "SALES", "ACME"}));
  EXPECT_EQ(parts.tree, "CORP");

  const auto treeOnly = SplitFullName(R"(NDS:\\CORP)");
  EXPECT_TRUE(treeOnly.componentsBottomUp.empty());
  EXPECT_EQ(treeOnly.tree, "CORP");

  // An empty level stays a level, so the dots still show where it was.
  EXPECT_EQ(JoinDotted(SplitFullName(R"(NDS:\\CORP\ACME\\WS01)").componentsBottomUp), "WS01..ACME");
}

}  // namespace
}  // namespace cvx
