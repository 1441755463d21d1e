#include "core/TreeExpansionPath.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

using Keys = std::vector<std::string>;

TEST(TreeExpansionPath, EveryLevelFromTheRootDownIsOpenedButABareRootIsOnlySelected) {
  const auto plan = PlanTreeExpansion(R"(NDS:\\CORP\ACME\Field Service)");
  EXPECT_EQ(plan.keys,
            (Keys{R"(NDS:\\CORP)", R"(NDS:\\CORP\ACME)", R"(NDS:\\CORP\ACME\Field Service)"}));
  EXPECT_TRUE(plan.openLast);
  const auto root = PlanTreeExpansion(R"(NDS:\\CORP)");
  EXPECT_EQ(root.keys, (Keys{R"(NDS:\\CORP)"}));
  EXPECT_FALSE(root.openLast);
  EXPECT_TRUE(PlanTreeExpansion("").keys.empty());
}

TEST(TreeExpansionPath, AMarkedNodesParentAndATreeRootAsItsOwn) {
  EXPECT_EQ(MarkedNodeParentPath(R"(NDS:\\CORP\ACME\HR)"), R"(NDS:\\CORP\ACME)");
  EXPECT_EQ(MarkedNodeParentPath(R"(NDS:\\CORP\ACME)"), R"(NDS:\\CORP)");
  EXPECT_EQ(MarkedNodeParentPath(R"(NDS:\\CORP)"), R"(NDS:\\CORP)");
}

}  // namespace
}  // namespace cvx
