// The tree browsers of the real window: levels, paths, the container menu, clicks and keys.

#include "DemoWindow.h"

namespace cvx {
namespace {

class Browser : public DemoWindow {
 protected:
  // As the container menu does: the mark says whether the node is the anchor, then the entry.
  void ToggleAnchor(const std::string& key) {
    rc().setCurrentItem(Node(key));
    ui().menus.mnuSearchAnchor->setChecked(s().search.SearchAnchorActive &&
                                           s().search.SearchAnchor == key);
    ui().menus.mnuSearchAnchor->trigger();
  }
  void Refresh(const std::string& key) {
    rc().setCurrentItem(Node(key));
    ui().menus.mnuRefreshTreeBranch->trigger();
  }
  bool Marked(const std::string& key) { return HasAnchorMark(*Node(key)); }
  std::string Exp(const std::string& path) { return Access::browserRC(w()).treeExp(path); }
  bool MenuShown() {
    return ui().menus.mnuMain->isVisible() || ui().menus.mnuTreeManipulate->isVisible();
  }
  void CloseMenus() {
    ui().menus.mnuMain->hide();
    ui().menus.mnuTreeManipulate->hide();
  }
  QString Context(const std::string& key) { return QString::fromStdString("Context: " + key); }
};

TEST_F(Browser, LevelsAreReadOnceWhenOpenedWithPlaceholdersOnlyForContainers) {
  for (QTreeWidget* tree : {&rc(), &ws()}) {
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(tree->currentItem(), root);
    EXPECT_EQ(Texts(root), (QStringList{"ACME", "DE"}));
    EXPECT_TRUE(IsPlaceholder(root->child(0)->child(0)));
  }
  EXPECT_EQ(directory->FindEntryCalls(), 0);  // nothing below the root was read
  Node(kAcme)->setExpanded(true);
  EXPECT_EQ(Texts(Node(kAcme)), (QStringList{"Field Service", "HR", "IT", "SALES"}));
  for (bool open : {true, false, true}) Node(kSales)->setExpanded(open);
  EXPECT_EQ(Texts(Node(kSales)).mid(6, 4), (QStringList{"RMOORE", "TCLARK", "WS01", "WS02"}));
  EXPECT_EQ(Node(kSales)->childCount(), 16);
  EXPECT_EQ(directory->FindEntryCalls(), 2);
  Node(kHr)->setExpanded(true);
  EXPECT_EQ(NodeImage(Node(kJohn)), "Alias");
  for (const auto& leaf : {kJsmith, kJohn}) EXPECT_EQ(Node(leaf)->childCount(), 0);  // no mark
  // The workstation browser lists containers only; an empty level loses its mark.
  FindNode(ws(), kAcme)->setExpanded(true);
  QTreeWidgetItem* wsSales = FindNode(ws(), kSales);
  ASSERT_EQ(wsSales->childCount(), 1);
  wsSales->setExpanded(true);
  EXPECT_EQ(wsSales->childCount(), 0);
  EXPECT_FALSE(Hourglass());
}

// A path opens (in any letter case) down to its deepest level still there, which is selected.
TEST_F(Browser, APathIsOpenedDownToItsDeepestLevelStillThere) {
  EXPECT_EQ(Exp(R"(NDS:\\corp\acme\hr\payroll\jyoung)"), kPayroll + R"(\JYOUNG)");
  EXPECT_EQ(NodeKey(rc().currentItem()), kPayroll + R"(\JYOUNG)");
  EXPECT_FALSE(Node(kSales)->isExpanded());
  EXPECT_EQ(Exp(kHr + R"(\GONE\JDOE)"), kHr);
  EXPECT_TRUE(Node(kHr)->isExpanded());
  EXPECT_EQ(Exp(R"(NDS:\\LEGACY\OLDCO)"), "");
  EXPECT_EQ(Exp(""), "");
  EXPECT_EQ(rc().currentItem(), Node(kHr));
}

// Only the handlers' own steps would end the session: nothing is said in a box, the window stays
// (a user's logins not read are said in panel 2, as with a live server that stops answering).
TEST_F(Browser, ALostConnectionLeavesTheWindowOpen) {
  Exp(kSales);
  const int reads = directory->FindEntryCalls();
  directory->Cut();
  // The remote-control browser tries twice, then leaves the node without children.
  Node(kHr)->setExpanded(true);
  EXPECT_EQ(directory->FindEntryCalls(), reads + 2);
  EXPECT_EQ(Node(kHr)->childCount(), 0);
  EXPECT_EQ(Exp(kPayroll), kHr);
  // The workstation browser closes the node, to be read when opened again.
  QTreeWidgetItem* wsAcme = FindNode(ws(), kAcme);
  wsAcme->setExpanded(true);
  EXPECT_FALSE(wsAcme->isExpanded());
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_FALSE(w().IsUnloaded());
  EXPECT_FALSE(Hourglass());
  directory->Restore();
  wsAcme->setExpanded(true);
  EXPECT_EQ(wsAcme->childCount(), 4);
}

TEST_F(Browser, TheAnchorIsMarkedMovedClearedAndMarkedAgainAfterARefreshOrAStart) {
  Exp(kPayroll);
  ToggleAnchor(kSales);
  EXPECT_EQ(ui().txtSearchAnchor->text().toStdString(), kSales);
  EXPECT_EQ(Panel2().toStdString(), " Searching always from: " + kSales);
  ToggleAnchor(kPayroll);
  EXPECT_FALSE(Marked(kSales));
  // A refreshed branch is read again in its place, the level below unread, the anchor marked.
  const int reads = directory->FindEntryCalls();
  Refresh(kHr);
  EXPECT_EQ(directory->FindEntryCalls(), reads + 1);
  EXPECT_EQ(Texts(Node(kAcme)), (QStringList{"Field Service", "HR", "IT", "SALES"}));
  EXPECT_EQ(FindNode(rc(), kPayroll + R"(\JYOUNG)"), nullptr);
  EXPECT_TRUE(Marked(kPayroll));
  // As at start-up: a fresh tree, the stored anchor opened and marked, its container selected.
  ASSERT_EQ(Access::browserRC(w()).BrowseStartRC(), 0);
  Access::browserRC(w()).ShowSearchAnchorInTree();
  EXPECT_TRUE(Marked(kPayroll));
  EXPECT_EQ(rc().currentItem(), Node(kHr));
  ToggleAnchor(kPayroll);
  EXPECT_EQ(ui().txtSearchAnchor->text(), "the current browser's context.");
  EXPECT_EQ(Panel2(), "");
  EXPECT_FALSE(Marked(kPayroll));
  // Without a selected node neither command does anything.
  rc().setCurrentItem(nullptr);
  ui().menus.mnuRefreshTreeBranch->trigger();
  ui().menus.mnuSearchAnchor->trigger();
  EXPECT_FALSE(s().search.SearchAnchorActive);
  EXPECT_NE(FindNode(rc(), kAcme), nullptr);
  // Refreshing the root rebuilds the tree at the stored context: none yet, so the root.
  s().search.CurrentContext = kSales;
  Refresh(kCorp);
  EXPECT_EQ(FindNode(rc(), kSales), nullptr);
  EXPECT_EQ(s().search.CurrentContext, kCorp);
}

TEST_F(Browser, AClickOrAKeyPicksAContainerAsTheContextOrAnObjectAsTheTarget) {
  // Leftovers of an earlier target in both lists.
  const auto leftovers = [this] {
    ui().lstMultiple->headerItem()->setText(0, "Workstation(s) currently in use ...");
    new QTreeWidgetItem(ui().lstMultiple, QStringList{"WS99.ELSEWHERE"});
    new QTreeWidgetItem(ui().lvwNDSinfo, QStringList{"CN", "OLD"});
  };
  const auto emptied = [this] {
    return ui().lstMultiple->topLevelItemCount() + ui().lvwNDSinfo->topLevelItemCount() == 0 &&
           ui().lstMultiple->headerItem()->text(0) == "Search Results";
  };
  leftovers();
  // An alias, a right click on a container and no node pick nothing.
  ClickNode(kJohn);
  ClickNode(kSales, Qt::RightButton);
  CloseMenus();
  Access::browserRC(w()).TreeViewRC_NodeClick(nullptr);
  EXPECT_EQ(s().search.CurrentContext, kCorp);
  EXPECT_FALSE(emptied());
  ui().Command1->setEnabled(false);
  ClickNode(kSales);
  EXPECT_EQ(Panel2(), Context(kSales));
  EXPECT_TRUE(emptied());
  EXPECT_FALSE(ui().Command1->isEnabled());
  // The workstation browser only shows the context of its node.
  Access::browserWS(w()).TreeViewWS_NodeClick(FindNode(ws(), kAcme));
  EXPECT_EQ(Panel2(), Context(kAcme));
  EXPECT_EQ(s().search.CurrentContext, kSales);

  leftovers();
  SetCheckedAttributes(ui(), 0, {"Telephone Number"});
  // A left press clears first; the release picks the node.
  const QPoint at = At(kJsmith);
  QTest::mousePress(rc().viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Panel2(), "");
  QTest::mouseRelease(rc().viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(ui().ImageCombo1->currentText(), "JSMITH.SALES.ACME");
  EXPECT_TRUE(ui().Command1->isEnabled());
  EXPECT_EQ(ui().lvwNDSinfo->topLevelItemCount(), 3);  // JSMITH's three telephone numbers
  EXPECT_EQ(Panel2(), Context(kSales));
  leftovers();
  ClickNode(kWs01);
  EXPECT_EQ(s().target.TargetClass, "Workstation");
  EXPECT_TRUE(emptied());  // nothing checked for workstations
  EXPECT_FALSE(MenuShown());
  // A double click on the alias acts on the user it stands for.
  const QPoint john = At(kJohn);
  QTest::mouseClick(rc().viewport(), Qt::LeftButton, {}, john);
  QTest::mouseDClick(rc().viewport(), Qt::LeftButton, {}, john);
  EXPECT_EQ(s().target.TargetName, kJohn);
  EXPECT_EQ(s().target.TargetClass, "User");
  // Keys move the context; Enter is the double click.
  rc().setCurrentItem(Node(kAcme)->child(0));  // Field Service
  QTest::keyClick(&rc(), Qt::Key_Down);
  EXPECT_EQ(s().search.CurrentContext, kHr);
  for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_A}) {
    EXPECT_EQ(Access::browserRC(w()).TreeViewRC_KeyPress(key), key != Qt::Key_A);
  }
}

TEST_F(Browser, ARightClickPicksTheNodeAndOpensItsMenuThere) {
  // As left by typing a name into the history box.
  s().actions.DefaultAction = "RD";
  ui().cmdRC->setText("Search");
  ui().Command1->setEnabled(false);
  const QPoint at = At(kWs01);
  QTest::mouseClick(rc().viewport(), Qt::RightButton, {}, at);
  EXPECT_EQ(ui().cmdRC->text(), "Diagnostics");
  EXPECT_TRUE(ui().Command1->isEnabled());
  EXPECT_EQ(ui().ImageCombo1->currentText(), "WS01.SALES.ACME");
  EXPECT_EQ(Panel2(), Context(kSales));
  EXPECT_EQ(s().target.TargetName, "");  // the chosen entry sets the target
  ASSERT_TRUE(ui().menus.mnuMain->isVisible());
  EXPECT_EQ(ui().menus.mnuMain->pos(), rc().viewport()->mapToGlobal(at));
  CloseMenus();
  // An alias or a container opens the container menu; its mark: whether the node is the anchor.
  ClickNode(kJohn, Qt::RightButton);
  EXPECT_FALSE(ui().menus.mnuMain->isVisible());
  ClickNode(kSales, Qt::RightButton);
  Choose(ui().menus.mnuTreeManipulate, ui().menus.mnuSearchAnchor, Qt::RightButton);
  EXPECT_EQ(s().search.SearchAnchor, kSales);
  for (const auto& node : {kHr, kSales}) {
    CloseMenus();
    ClickNode(node, Qt::RightButton);
    EXPECT_EQ(ui().menus.mnuSearchAnchor->isChecked(), node == kSales);
  }
  CloseMenus();
  // Shift+F10 (the Menu key is pressed in the screen-reader run) opens it at the selected node.
  QTest::keyClick(&rc(), Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_TRUE(ui().menus.mnuTreeManipulate->isVisible());
  EXPECT_EQ(ui().menus.mnuTreeManipulate->pos(),
            rc().viewport()->mapToGlobal(rc().visualItemRect(Node(kSales)).bottomLeft()));
  CloseMenus();
  // On empty space it only clears the selection and the status; the keyboard then opens nothing.
  rc().collapseAll();
  const QPoint empty(5, rc().viewport()->height() - 5);
  ASSERT_EQ(rc().itemAt(empty), nullptr);
  QTest::mouseClick(rc().viewport(), Qt::RightButton, {}, empty);
  EXPECT_TRUE(!rc().currentItem() && rc().selectedItems().isEmpty());
  EXPECT_EQ(Panel2(), "");
  QTest::keyClick(&rc(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_FALSE(MenuShown());
}

}  // namespace
}  // namespace cvx
