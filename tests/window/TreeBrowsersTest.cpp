#include "fakes/frmMainTestAccess.h"

#include "BrowserFixture.h"
#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

using TreeBrowsers = BrowserFixture;

TEST_F(TreeBrowsers, StartUpBuildsBothBrowsersFromTheRootReadingNothingBelowIt) {
  for (QTreeWidget* tree : {&rc(), &ws()}) {
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(NodeKey(root), kCorp);
    EXPECT_EQ(NodeImage(root), "Top");
    EXPECT_FALSE(root->icon(0).isNull());
    EXPECT_EQ(tree->currentItem(), root);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(ChildTexts(root), (QStringList{"ACME", "DE"}));

    // Each container below shows its expand mark through a placeholder, unread.
    QTreeWidgetItem* acme = root->child(0);
    EXPECT_EQ(NodeKey(acme), kAcme);
    EXPECT_EQ(NodeImage(acme), "Organization");
    ASSERT_EQ(acme->childCount(), 1);
    EXPECT_TRUE(IsPlaceholder(acme->child(0)));
  }
  EXPECT_EQ(directory->FindEntryCalls(), 0);
  EXPECT_EQ(s().search.CurrentContext, kCorp);
  // A fresh start keeps the reminder in panel 2 although the browsers report their context.
  EXPECT_EQ(StatusPanelText(ui(), 2), "Remember to update the Workstation Database regularly!");
  EXPECT_TRUE(HourglassGone());
}

TEST_F(TreeBrowsers, OpeningANodeReadsItsLevelOnceSortedWithPlaceholdersOnlyForContainers) {
  QTreeWidgetItem* acme = Node(kAcme);
  acme->setExpanded(true);
  EXPECT_EQ(ChildTexts(acme), (QStringList{"Field Service", "HR", "IT", "SALES"}));
  QTreeWidgetItem* sales = Node(kSales);
  sales->setExpanded(true);
  EXPECT_EQ(ChildTexts(sales), (QStringList{"AWHITE", "BJONES", "JSMITH", "KBROWN", "LGARCIA",
                                            "MMILLER", "RMOORE", "TCLARK", "WS01", "WS02", "WS03",
                                            "WS04", "WS05", "WS06", "WS07", "WS08"}));
  QTreeWidgetItem* jsmith = Node(kJsmith);
  EXPECT_EQ(NodeImage(jsmith), "User");
  EXPECT_EQ(jsmith->childCount(), 0);  // a leaf: no expand mark
  EXPECT_EQ(NodeImage(Node(kSales + R"(\WS01)")), "Workstation");
  const int reads = directory->FindEntryCalls();
  EXPECT_EQ(reads, 2);

  // Closed and opened again: nothing is read, nothing doubles.
  sales->setExpanded(false);
  sales->setExpanded(true);
  EXPECT_EQ(directory->FindEntryCalls(), reads);
  EXPECT_EQ(sales->childCount(), 16);

  Node(kHr)->setExpanded(true);
  QTreeWidgetItem* alias = Node(kHr + R"(\JOHN)");
  EXPECT_EQ(NodeImage(alias), "Alias");
  EXPECT_EQ(alias->childCount(), 0);
  EXPECT_TRUE(HourglassGone());
}

TEST_F(TreeBrowsers, WorkstationBrowserListsContainersAndAnEmptyLevelLosesItsMark) {
  QTreeWidgetItem* acme = FindNode(ws(), kAcme);
  ASSERT_NE(acme, nullptr);
  acme->setExpanded(true);
  EXPECT_EQ(ChildTexts(acme), (QStringList{"Field Service", "HR", "IT", "SALES"}));
  QTreeWidgetItem* sales = FindNode(ws(), kSales);
  ASSERT_EQ(sales->childCount(), 1);  // a container: marked until opened
  sales->setExpanded(true);
  EXPECT_EQ(sales->childCount(), 0);
}

TEST_F(TreeBrowsers, ALostConnectionWhileOpening) {
  directory->Cut();
  // The remote-control browser tries the look-up twice, then leaves the node without children.
  QTreeWidgetItem* acme = Node(kAcme);
  acme->setExpanded(true);
  EXPECT_EQ(directory->FindEntryCalls(), 2);
  EXPECT_EQ(acme->childCount(), 0);
  EXPECT_TRUE(h.prompter.messages.empty());

  // The workstation browser keeps the placeholder and closes the node: opening it later, with
  // the connection back, reads the level.
  QTreeWidgetItem* wsAcme = FindNode(ws(), kAcme);
  wsAcme->setExpanded(true);
  EXPECT_FALSE(wsAcme->isExpanded());
  EXPECT_TRUE(IsPlaceholder(wsAcme->child(0)));
  directory->Restore();
  wsAcme->setExpanded(true);
  EXPECT_EQ(wsAcme->childCount(), 4);
  EXPECT_TRUE(HourglassGone());
}

TEST_F(TreeBrowsers, OpensEveryLevelDownToThePathAndSelectsIt) {
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

TEST_F(TreeBrowsers, APathThatIsGoneStopsAtItsDeepestLevelStillThere) {
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
