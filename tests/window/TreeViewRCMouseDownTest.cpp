#include "fakes/frmMainTestAccess.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "ActionMenuFixture.h"

namespace cvx {
namespace {

class TreeViewRCMouseDown : public ActionMenuFixture {
 protected:
  QPoint CenterOf(const std::string& key) {
    Access::browserRC(w()).treeExp(key);
    rc().scrollToItem(Node(key));
    return rc().visualItemRect(Node(key)).center();
  }
  bool NothingSelected() { return !rc().currentItem() && rc().selectedItems().isEmpty(); }
  void CloseMenus() {
    menus().mnuMain->hide();
    menus().mnuTreeManipulate->hide();
  }
};

TEST_F(TreeViewRCMouseDown, RightClickOnAWorkstationPicksItAndOpensTheActionMenu) {
  // As left by typing a name into the history box.
  s().actions.DefaultAction = "RD";
  ui().cmdRC->setText("Search");
  ui().Command1->setEnabled(false);
  s().target.pickedBy = PickSource::kHistory;
  SetStatusPanelText(ui(), 2, "Searching ...");

  const QPoint at = CenterOf(kWs01);
  QTest::mouseClick(rc().viewport(), Qt::RightButton, {}, at);
  EXPECT_EQ(rc().currentItem(), Node(kWs01));
  EXPECT_EQ(ui().cmdRC->text(), "Diagnostics");
  EXPECT_TRUE(ui().Command1->isEnabled());
  EXPECT_EQ(ui().ImageCombo1->currentText(), "WS01.SALES.ACME");
  EXPECT_EQ(s().search.CurrentContext, kSales);
  EXPECT_EQ(Panel2(), QString::fromStdString("Context: " + kSales));
  EXPECT_EQ(s().target.TargetName, "");  // the chosen entry sets the target
  ASSERT_TRUE(menus().mnuMain->isVisible());
  EXPECT_EQ(menus().mnuMain->pos(), rc().viewport()->mapToGlobal(at));
  EXPECT_FALSE(menus().mnuTreeManipulate->isVisible());
  EXPECT_TRUE(Launched().empty());
}

TEST_F(TreeViewRCMouseDown, RightClickOnAnAliasOrContainerOpensTheContainerMenu) {
  ClickNode(kJohn, Qt::RightButton);
  EXPECT_EQ(rc().currentItem(), Node(kJohn));
  EXPECT_TRUE(menus().mnuTreeManipulate->isVisible());
  EXPECT_FALSE(menus().mnuMain->isVisible());
  CloseMenus();

  // Its entries react to the right button too: SALES becomes the search anchor.
  ClickNode(kSales, Qt::RightButton);
  Choose(menus().mnuTreeManipulate, menus().mnuSearchAnchor, Qt::RightButton);
  EXPECT_TRUE(s().search.SearchAnchorActive);
  EXPECT_EQ(s().search.SearchAnchor, kSales);

  // The check mark tells whether the node clicked is the anchor.
  ClickNode(kHr, Qt::RightButton);
  EXPECT_FALSE(menus().mnuSearchAnchor->isChecked());
  CloseMenus();
  ClickNode(kSales, Qt::RightButton);
  EXPECT_TRUE(menus().mnuSearchAnchor->isChecked());
  CloseMenus();

  // A double click on the alias acts on the user it stands for.
  const QPoint john = CenterOf(kJohn);
  QTest::mouseClick(rc().viewport(), Qt::LeftButton, {}, john);
  QTest::mouseDClick(rc().viewport(), Qt::LeftButton, {}, john);
  QTest::mouseRelease(rc().viewport(), Qt::LeftButton, {}, john);
  EXPECT_EQ(s().target.TargetName, kJohn);
  EXPECT_EQ(s().target.TargetClass, "User");
}

TEST_F(TreeViewRCMouseDown, RightClickOnEmptySpaceOnlyClearsSelectionAndStatus) {
  ClickNode(kSales, Qt::LeftButton);
  rc().collapseAll();
  const QPoint empty(5, rc().viewport()->height() - 5);
  ASSERT_EQ(rc().itemAt(empty), nullptr);
  ASSERT_FALSE(Panel2().isEmpty());

  QTest::mouseClick(rc().viewport(), Qt::RightButton, {}, empty);
  EXPECT_TRUE(NothingSelected());
  EXPECT_EQ(Panel2(), "");
  EXPECT_FALSE(menus().mnuMain->isVisible());
  EXPECT_FALSE(menus().mnuTreeManipulate->isVisible());
}

TEST_F(TreeViewRCMouseDown, ALeftPressClearsFirstAndTheBrowserStillPicksTheNode) {
  ClickNode(kSales, Qt::LeftButton);
  const QPoint at = CenterOf(kJsmith);
  QTest::mousePress(rc().viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Panel2(), "");
  EXPECT_EQ(s().target.TargetName, "");
  QTest::mouseRelease(rc().viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(rc().currentItem(), Node(kJsmith));
  EXPECT_EQ(s().target.TargetName, kJsmith);
  EXPECT_EQ(Panel2(), QString::fromStdString("Context: " + kSales));
  EXPECT_FALSE(menus().mnuMain->isVisible());
}

// From the keyboard the selected node stands in for the one under the mouse: the Menu key (the
// context-menu request the platform makes of it) and Shift+F10 open the same menu, with the same
// pick, at the node.
TEST_F(TreeViewRCMouseDown, TheKeyboardOpensTheMenuOfTheSelectedNodeAtTheNode) {
  const auto menuKey = [this] {
    QContextMenuEvent request(QContextMenuEvent::Keyboard, {}, {});
    QCoreApplication::sendEvent(&rc(), &request);
  };
  const auto shiftF10 = [this] { QTest::keyClick(&rc(), Qt::Key_F10, Qt::ShiftModifier); };
  struct Case {
    std::function<void()> press;
    std::string node;
    QMenu* menu;
  };
  for (const Case& c :
       {Case{menuKey, kWs01, menus().mnuMain}, Case{shiftF10, kJsmith, menus().mnuMain},
        Case{shiftF10, kSales, menus().mnuTreeManipulate}}) {
    SCOPED_TRACE(c.node);
    CloseMenus();
    CenterOf(c.node);  // opens the browser down to it
    rc().setCurrentItem(Node(c.node));
    SetStatusPanelText(ui(), 2, "Searching ...");
    c.press();
    ASSERT_TRUE(c.menu->isVisible());
    EXPECT_EQ(c.menu->pos(),
              rc().viewport()->mapToGlobal(rc().visualItemRect(Node(c.node)).bottomLeft()));
    EXPECT_EQ(rc().currentItem(), Node(c.node));
    const bool target = c.menu == menus().mnuMain;
    EXPECT_EQ(Panel2(), target
                            ? QString::fromStdString("Context: " + NodeKey(Node(c.node)->parent()))
                            : QString());
  }
  CloseMenus();
  rc().setCurrentItem(nullptr);
  shiftF10();
  EXPECT_FALSE(menus().mnuMain->isVisible() || menus().mnuTreeManipulate->isVisible());
}

}  // namespace
}  // namespace cvx
