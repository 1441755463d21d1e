#include "fakes/frmMainTestAccess.h"

#include <QAction>
#include <QLineEdit>

#include "BrowserFixture.h"
#include "window/controls/StatusPanels.h"

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
    ui().menus.mnuSearchAnchor->setChecked(s().search.SearchAnchorActive &&
                                           s().search.SearchAnchor == key);
    ui().menus.mnuSearchAnchor->trigger();
  }
  bool Marked(const std::string& key) { return HasAnchorMark(*Node(key)); }
};

TEST_F(TreeCommands, RefreshingABranchReadsItAgainInItsPlace) {
  Access::browserRC(w()).treeExp(kPayroll);
  const int reads = directory->FindEntryCalls();
  Refresh(kHr);
  QTreeWidgetItem* hr = Node(kHr);
  EXPECT_EQ(rc().currentItem(), hr);
  EXPECT_TRUE(hr->isExpanded());
  EXPECT_EQ(directory->FindEntryCalls(), reads + 1);
  EXPECT_EQ(NodeImage(hr), "Organizational Unit");
  EXPECT_EQ(ChildTexts(Node(kAcme)), (QStringList{"Field Service", "HR", "IT", "SALES"}));
  // The level below is unread again, and the old nodes are gone from the index.
  EXPECT_TRUE(IsPlaceholder(Node(kPayroll)->child(0)));
  EXPECT_EQ(FindNode(rc(), kPayroll + R"(\JYOUNG)"), nullptr);
  EXPECT_TRUE(HourglassGone());
}

TEST_F(TreeCommands, RefreshingTheRootRebuildsTheTreeAtTheStoredContext) {
  Access::browserRC(w()).treeExp(kSales);
  s().search.CurrentContext = kSales;
  Refresh(kCorp);
  EXPECT_EQ(rc().topLevelItemCount(), 1);
  EXPECT_EQ(FindNode(rc(), kSales), nullptr);
  // Nothing is stored yet, so that is the root, not the context the administrator was in.
  EXPECT_EQ(s().search.CurrentContext, kCorp);
  EXPECT_EQ(rc().currentItem(), Node(kCorp));
}

TEST_F(TreeCommands, TheSearchAnchorIsMarkedMovedAndCleared) {
  Access::browserRC(w()).treeExp(kHr);
  ToggleAnchor(kSales);
  EXPECT_TRUE(s().search.SearchAnchorActive);
  EXPECT_EQ(s().search.SearchAnchor, kSales);
  EXPECT_EQ(ui().txtSearchAnchor->text().toStdString(), kSales);
  EXPECT_EQ(StatusPanelText(ui(), 2).toStdString(), " Searching always from: " + kSales);
  EXPECT_TRUE(Marked(kSales));

  ToggleAnchor(kHr);
  EXPECT_EQ(s().search.SearchAnchor, kHr);
  EXPECT_TRUE(Marked(kHr));
  EXPECT_FALSE(Marked(kSales));

  ToggleAnchor(kHr);
  EXPECT_FALSE(s().search.SearchAnchorActive);
  EXPECT_EQ(s().search.SearchAnchor, "");
  EXPECT_EQ(ui().txtSearchAnchor->text(), "the current browser's context.");
  EXPECT_EQ(StatusPanelText(ui(), 2), "");
  EXPECT_FALSE(Marked(kHr));

  // Without a selected node neither command does anything.
  rc().setCurrentItem(nullptr);
  ui().menus.mnuRefreshTreeBranch->trigger();
  ui().menus.mnuSearchAnchor->trigger();
  EXPECT_FALSE(ui().menus.mnuSearchAnchor->isChecked());
  EXPECT_FALSE(s().search.SearchAnchorActive);
  EXPECT_NE(FindNode(rc(), kAcme), nullptr);
}

TEST_F(TreeCommands, TheAnchorIsMarkedAgainAfterARefreshAndAtStartUpWithItsContainerSelected) {
  Access::browserRC(w()).treeExp(kPayroll);
  ToggleAnchor(kPayroll);
  Refresh(kSales);
  EXPECT_TRUE(Marked(kPayroll));
  EXPECT_EQ(rc().currentItem(), Node(kHr));

  // As at start-up: a fresh tree, and the stored anchor opened and marked in it.
  ASSERT_EQ(Access::browserRC(w()).BrowseStartRC(), 0);
  s().search.SearchAnchorActive = false;
  Access::browserRC(w()).ShowSearchAnchorInTree();
  EXPECT_TRUE(s().search.SearchAnchorActive);
  EXPECT_EQ(ui().txtSearchAnchor->text().toStdString(), kPayroll);
  EXPECT_TRUE(Marked(kPayroll));
  EXPECT_EQ(rc().currentItem(), Node(kHr));

  // The tree root as the anchor, and an anchor deleted from the directory.
  s().search.SearchAnchor = kCorp;
  Access::browserRC(w()).ShowSearchAnchorInTree();
  EXPECT_TRUE(Marked(kCorp));
  s().search.SearchAnchor = kSales + R"(\GONE)";
  Access::browserRC(w()).ShowSearchAnchorInTree();
  EXPECT_TRUE(Node(kSales)->isExpanded());
  EXPECT_TRUE(h.prompter.messages.empty());
}

}  // namespace
}  // namespace cvx
