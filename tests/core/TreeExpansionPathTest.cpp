#include "core/TreeExpansionPath.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

using Keys = std::vector<std::string>;

TEST(TreeExpansionPath, EveryLevelFromTheRootDownIsOpened) {
  const auto plan = PlanTreeExpansion(R"(NDS:\\CORP\ACME\Field Service\North)");
  EXPECT_EQ(plan.keys,
            (Keys{R"(NDS:\\CORP)", R"(NDS:\\CORP\ACME)", R"(NDS:\\CORP\ACME\Field Service)",
                  R"(NDS:\\CORP\ACME\Field Service\North)"}));
  EXPECT_TRUE(plan.openLast);
}

TEST(TreeExpansionPath, ABareRootIsSelectedOnlyAndNothingGivesNothing) {
  const auto root = PlanTreeExpansion(R"(NDS:\\CORP)");
  EXPECT_EQ(root.keys, (Keys{R"(NDS:\\CORP)"}));
  EXPECT_FALSE(root.openLast);
  EXPECT_TRUE(PlanTreeExpansion("").keys.empty());
}

TEST(TreeExpansionPath, ATrailingBackslashStaysOnTheLastKey) {
  EXPECT_EQ(PlanTreeExpansion(R"(NDS:\\CORP\ACME\)").keys,
            (Keys{R"(NDS:\\CORP)", R"(NDS:\\CORP\ACME)", R"(NDS:\\CORP\ACME\)"}));
}

TEST(TreeExpansionPath, AMarkedNodesParentAndATreeRootAsItsOwn) {
  EXPECT_EQ(MarkedNodeParentPath(R"(NDS:\\CORP\ACME\HR\PAYROLL)"), R"(NDS:\\CORP\ACME\HR)");
  EXPECT_EQ(MarkedNodeParentPath(R"(NDS:\\CORP\ACME)"), R"(NDS:\\CORP)");
  EXPECT_EQ(MarkedNodeParentPath(R"(NDS:\\CORP)"), R"(NDS:\\CORP)");
}

}  // namespace
}  // namespace cvx
