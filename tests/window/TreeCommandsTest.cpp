#include "window/TreeCommands.h"

#include <QAction>
#include <QLineEdit>

#include "BrowserFixture.h"
#include "window/StatusPanels.h"
#include "window/TreeExpansion.h"

namespace cvx {
namespace {

class TreeCommands : public BrowserFixture {
 protected:
  void Refresh(const std::string& key) {
    rc().setCurrentItem(Node(key));
    ui().menus.mnuRefreshTreeBranch->trigger();
  }
  // As the container menu does: the mark says whether the node is the anchor, then the entry.
  void ToggleAnchor(const std::string& key) {
    rc().setCurrentItem(Node(key));
    ui().menus.mnuSearchAnchor->setChecked(s().SearchAnchorActive && s().SearchAnchor == key);
    ui().menus.mnuSearchAnchor->trigger();
  }
  bool Marked(const std::string& key) { return HasAnchorMark(*Node(key)); }
};

TEST_F(TreeCommands, RefreshingABranchReadsItAgainInItsPlace) {
  treeExp(w(), kHr);
  Node(kPayroll)->setExpanded(true);
  const int reads = directory->FindEntryCalls();
  Refresh(kHr);
  QTreeWidgetItem* hr = Node(kHr);
  EXPECT_EQ(rc().currentItem(), hr);
  EXPECT_TRUE(hr->isExpanded());
  EXPECT_EQ(directory->FindEntryCalls(), reads + 1);
  EXPECT_EQ(NodeTag(hr), kHr);
  EXPECT_EQ(NodeImage(hr), "Organizational Unit");
  EXPECT_EQ(ChildTexts(Node(kAcme)), (QStringList{"Field Service", "HR", "IT", "SALES"}));
  // The level below is unread again, and the old nodes are gone from the index.
  EXPECT_TRUE(IsPlaceholder(Node(kPayroll)->child(0)));
  EXPECT_EQ(FindNode(rc(), kPayroll + R"(\JYOUNG)"), nullptr);
  EXPECT_TRUE(HourglassGone());
}

TEST_F(TreeCommands, RefreshingTheRootRebuildsTheTreeAtTheStoredContext) {
  treeExp(w(), kSales);
  s().CurrentContext = kSales;
  Refresh(kCorp);
  EXPECT_EQ(rc().topLevelItemCount(), 1);
  EXPECT_EQ(FindNode(rc(), kSales), nullptr);
  // Nothing is stored here, so that is the root, not the context the administrator was in.
  EXPECT_EQ(s().CurrentContext, kCorp);
  EXPECT_EQ(rc().currentItem(), Node(kCorp));
}

TEST_F(TreeCommands, TheSearchAnchorIsMarkedMovedAndCleared) {
  treeExp(w(), kHr);
  ToggleAnchor(kSales);
  EXPECT_TRUE(s().SearchAnchorActive);
  EXPECT_EQ(s().SearchAnchor, kSales);
  EXPECT_EQ(ui().txtSearchAnchor->text().toStdString(), kSales);
  EXPECT_EQ(StatusPanelText(ui(), 2).toStdString(), " Searching always from: " + kSales);
  EXPECT_TRUE(Marked(kSales));
  const QFont plain = Node(kHr)->font(0);
  EXPECT_FALSE(plain.bold());

  ToggleAnchor(kHr);
  EXPECT_EQ(s().SearchAnchor, kHr);
  EXPECT_TRUE(Marked(kHr));
  EXPECT_FALSE(Marked(kSales));
  EXPECT_FALSE(Node(kSales)->font(0).bold());

  ToggleAnchor(kHr);
  EXPECT_FALSE(s().SearchAnchorActive);
  EXPECT_EQ(s().SearchAnchor, "");
  EXPECT_EQ(ui().txtSearchAnchor->text(), "the current browser's context.");
  EXPECT_EQ(StatusPanelText(ui(), 2), "");
  EXPECT_FALSE(Marked(kHr));
  EXPECT_EQ(Node(kHr)->background(0).style(), Qt::NoBrush);
}

TEST_F(TreeCommands, ARefreshMarksTheAnchorAgainKeepingTheSelection) {
  treeExp(w(), kPayroll);
  ToggleAnchor(kPayroll);
  Refresh(kHr);
  EXPECT_TRUE(Marked(kPayroll));
  EXPECT_EQ(rc().currentItem(), Node(kHr));

  ToggleAnchor(kAcme);
  Refresh(kCorp);
  EXPECT_TRUE(Marked(kAcme));
  EXPECT_EQ(rc().currentItem(), Node(kCorp));
}

TEST_F(TreeCommands, TheStoredAnchorIsShownAtItsPlace) {
  s().SearchAnchor = kPayroll;
  ShowSearchAnchorInTree(w());
  EXPECT_TRUE(s().SearchAnchorActive);
  EXPECT_EQ(ui().txtSearchAnchor->text().toStdString(), kPayroll);
  EXPECT_TRUE(Marked(kPayroll));
  EXPECT_TRUE(Node(kHr)->isExpanded());
  EXPECT_EQ(rc().currentItem(), Node(kCorp));

  // The tree root as the anchor, and an anchor deleted from the directory.
  s().SearchAnchor = kCorp;
  ShowSearchAnchorInTree(w());
  EXPECT_TRUE(Marked(kCorp));
  s().SearchAnchor = kSales + R"(\GONE)";
  ShowSearchAnchorInTree(w());
  EXPECT_TRUE(Node(kSales)->isExpanded());
  EXPECT_TRUE(h.prompter.messages.empty());
}

TEST_F(TreeCommands, CommandsWithoutASelectedNodeDoNothing) {
  rc().setCurrentItem(nullptr);
  ui().menus.mnuRefreshTreeBranch->trigger();
  EXPECT_NE(FindNode(rc(), kAcme), nullptr);
  ui().menus.mnuSearchAnchor->setChecked(false);
  ui().menus.mnuSearchAnchor->trigger();
  EXPECT_FALSE(ui().menus.mnuSearchAnchor->isChecked());
  EXPECT_FALSE(s().SearchAnchorActive);
}

}  // namespace
}  // namespace cvx
