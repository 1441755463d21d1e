#include "fakes/frmMainTestAccess.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include "BrowserFixture.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

class TreeNodeClick : public BrowserFixture {
 protected:
  void SetUp() override {
    BrowserFixture::SetUp();
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
    // Leftovers of an earlier target in both lists.
    ui().lstMultiple->headerItem()->setText(0, "Workstation(s) currently in use ...");
    new QTreeWidgetItem(ui().lstMultiple, QStringList{"WS99.ELSEWHERE"});
    new QTreeWidgetItem(ui().lvwNDSinfo, QStringList{"CN", "OLD"});
    ui().Command1->setEnabled(false);
  }

  void Click(const std::string& key, Qt::MouseButton button = Qt::LeftButton) {
    Access::browserRC(w()).treeExp(key);
    QTreeWidgetItem* node = Node(key);
    rc().scrollToItem(node);
    QTest::mouseClick(rc().viewport(), button, {}, rc().visualItemRect(node).center());
  }
  bool ListsEmptied() {
    return ui().lstMultiple->topLevelItemCount() == 0 &&
           ui().lstMultiple->headerItem()->text(0) == "Search Results" &&
           ui().lvwNDSinfo->topLevelItemCount() == 0;
  }
  QString Panel2() { return StatusPanelText(ui(), 2); }
};

TEST_F(TreeNodeClick, AContainerBecomesTheSearchContext) {
  Click(kSales);
  EXPECT_EQ(s().search.CurrentContext, kSales);
  EXPECT_EQ(Panel2(), QString::fromStdString("Context: " + kSales));
  EXPECT_TRUE(ListsEmptied());
  EXPECT_FALSE(ui().Command1->isEnabled());
  EXPECT_EQ(s().target.TargetName, "");

  // The workstation browser only shows the context of its node.
  Access::browserWS(w()).TreeViewWS_NodeClick(FindNode(ws(), kAcme));
  EXPECT_EQ(Panel2(), QString::fromStdString("Context: " + kAcme));
  EXPECT_EQ(s().search.CurrentContext, kSales);
}

TEST_F(TreeNodeClick, AUserOrWorkstationBecomesTheTargetInItsContainer) {
  SetCheckedAttributes(ui(), 0, {"Telephone Number"});
  s().target.pickedBy = PickSource::kHistory;
  Click(kJsmith);
  EXPECT_EQ(s().target.TargetName, kJsmith);
  EXPECT_EQ(s().target.TargetClass, "User");
  EXPECT_EQ(ui().ImageCombo1->currentText(), "JSMITH.SALES.ACME");
  EXPECT_TRUE(ui().Command1->isEnabled());
  EXPECT_EQ(ui().lvwNDSinfo->topLevelItemCount(), 3);  // JSMITH's three telephone numbers
  EXPECT_EQ(s().search.CurrentContext, kSales);
  EXPECT_EQ(Panel2(), QString::fromStdString("Context: " + kSales));

  const std::string ws01 = kSales + R"(\WS01)";
  Click(ws01);
  EXPECT_EQ(s().target.TargetName, ws01);
  EXPECT_EQ(s().target.TargetClass, "Workstation");
  EXPECT_EQ(ui().lvwNDSinfo->topLevelItemCount(), 0);  // nothing checked for workstations
  EXPECT_TRUE(ListsEmptied());
}

TEST_F(TreeNodeClick, AnAliasARightClickAndNoNodeChangeNothing) {
  Click(kHr + R"(\JOHN)");
  Click(kSales, Qt::RightButton);
  Access::browserRC(w()).TreeViewRC_NodeClick(nullptr);
  EXPECT_EQ(s().search.CurrentContext, kCorp);
  EXPECT_EQ(s().target.TargetName, "");
  EXPECT_FALSE(ListsEmptied());
}

TEST_F(TreeNodeClick, KeysMoveTheContextAndEnterIsTheDoubleClick) {
  Access::browserRC(w()).treeExp(kAcme);
  rc().setCurrentItem(Node(kAcme)->child(0));  // Field Service
  QTest::keyClick(&rc(), Qt::Key_Down);
  EXPECT_EQ(rc().currentItem(), Node(kHr));
  EXPECT_EQ(s().search.CurrentContext, kHr);
  EXPECT_TRUE(Access::browserRC(w()).TreeViewRC_KeyPress(Qt::Key_Return));
  EXPECT_TRUE(Access::browserRC(w()).TreeViewRC_KeyPress(Qt::Key_Enter));
  EXPECT_FALSE(Access::browserRC(w()).TreeViewRC_KeyPress(Qt::Key_A));
}

// Only the handler's own steps would end the session; the attribute and login reads are said in
// panel 2 and the window stays.
TEST_F(TreeNodeClick, ALostDirectoryLeavesTheWindowOpenAndSaysWhatWasNotRead) {
  Access::browserRC(w()).treeExp(kSales);
  directory->Cut();
  Click(kJsmith);
  EXPECT_TRUE(h.prompter.messages.empty());
  EXPECT_FALSE(w().IsUnloaded());
  EXPECT_EQ(s().target.TargetName, kJsmith);
  EXPECT_TRUE(Panel2().startsWith("The logins of JSMITH.SALES.ACME ") &&
              Panel2().contains("(error 600)"))
      << Panel2().toStdString();
}

}  // namespace
}  // namespace cvx
