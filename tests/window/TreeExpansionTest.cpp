#include "fakes/frmMainTestAccess.h"

#include "BrowserFixture.h"

namespace cvx {
namespace {

using TreeExpansion = BrowserFixture;

TEST_F(TreeExpansion, OpensEveryLevelDownToThePathAndSelectsIt) {
  const std::string jyoung = kPayroll + R"(\JYOUNG)";
  EXPECT_EQ(Access::browserRC(w()).treeExp(jyoung), jyoung);
  EXPECT_EQ(NodeKey(rc().currentItem()), jyoung);
  for (const auto& key : {kCorp, kAcme, kHr, kPayroll}) EXPECT_TRUE(Node(key)->isExpanded());
  EXPECT_FALSE(Node(kSales)->isExpanded());

  // Names compare without regard to case, as the directory's do.
  EXPECT_EQ(Access::browserRC(w()).treeExp(R"(NDS:\\corp\acme\sales)"), kSales);
  EXPECT_TRUE(Node(kSales)->isExpanded());

  // The tree root is selected only.
  Node(kCorp)->setExpanded(false);
  EXPECT_EQ(Access::browserRC(w()).treeExp(kCorp), kCorp);
  EXPECT_EQ(rc().currentItem(), Node(kCorp));
  EXPECT_FALSE(Node(kCorp)->isExpanded());
  EXPECT_TRUE(HourglassGone());
}

TEST_F(TreeExpansion, APathThatIsGoneStopsAtItsDeepestLevelStillThere) {
  EXPECT_EQ(Access::browserRC(w()).treeExp(kHr + R"(\GONE\JDOE)"), kHr);
  EXPECT_EQ(rc().currentItem(), Node(kHr));
  EXPECT_TRUE(Node(kHr)->isExpanded());
  EXPECT_TRUE(h.prompter.messages.empty());

  // Nothing of it exists (another tree, or nothing at all): the selection stays.
  EXPECT_EQ(Access::browserRC(w()).treeExp(R"(NDS:\\LEGACY\OLDCO)"), "");
  EXPECT_EQ(Access::browserRC(w()).treeExp(""), "");
  EXPECT_EQ(rc().currentItem(), Node(kHr));

  // A lost connection on the way is the same.
  directory->Cut();
  EXPECT_EQ(Access::browserRC(w()).treeExp(kSales + R"(\WS01)"), kSales);
  EXPECT_TRUE(HourglassGone());
}

}  // namespace
}  // namespace cvx
