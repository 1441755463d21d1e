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

TEST(UNCtoDOTConversion, BlanksAroundTheNameFollowTheEstablishedWalk) {
  // The walk measures with blanks trimmed but cuts the untrimmed text; trailing blanks therefore
  // shift the last component. Stored names never have such blanks, but the result is fixed.
  EXPECT_EQ(DottedName(R"(NDS:\\CORP\ACME\WS01  )"), "01  .ACME");
}

}  // namespace
}  // namespace cvx
