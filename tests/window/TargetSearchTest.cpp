// Typing a name and pressing Enter, on the real window over the demo tree: searches with no, one
// and several hits, the results list, and what gets started.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "fakes/MainWindowHarness.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/search/TargetSearch.h"
#include "support/RecordAppender.h"

namespace cvx {
namespace {

const std::string kCorpRoot = R"(NDS:\\CORP\)";

class TargetSearchTest : public ::testing::Test {
 protected:
  TargetSearchTest() : h(CVX_DEMO_DIR, "CORP", {"--dbpath=" + dir.path().toStdString()}) {}

  void SetUp() override {
    ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
    ui().cmbServerlist->setCurrentIndex(ui().cmbServerlist->findText("FS1"));
  }

  MainWindowControls& ui() { return Access::ui(*h.window); }
  MainState& s() { return Access::state(*h.window); }
  QString Status() { return StatusPanelText(ui(), 2); }

  // Types the name into the history box and presses Enter, as a person would.
  void Type(const QString& name) {
    QLineEdit* edit = ui().ImageCombo1->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  // The search completes through the event loop; wait for it, bounded.
  bool Completed() {
    return QTest::qWaitFor([&] { return Status() != "Searching ..."; }, 5000);
  }

  void AddRecord(const std::string& path) {
    auto control = Access::client(*h.window)->CreateControl();
    auto values = *(*control->FindEntry(kCorpRoot + path))->GetFieldValue("WM:Network Address");
    ASSERT_TRUE(AppendWorkstationRecord(dir.path().toStdString(), "CORP", kCorpRoot + path,
                                        values.at(0), values.size() > 1 ? values[1] : "")
                    .ok());
  }

  std::vector<QString> Entries() {
    std::vector<QString> texts;
    for (int i = 0; i < ui().lstMultiple->topLevelItemCount(); ++i)
      texts.push_back(ui().lstMultiple->topLevelItem(i)->text(0));
    return texts;
  }

  QTemporaryDir dir;
  MainWindowHarness h;
};

TEST_F(TargetSearchTest, OneWorkstationIsStartedAtOnceAndRemembered) {
  Type("ws01");
  ASSERT_TRUE(Completed());
  ASSERT_EQ(h.launcher.launched.size(), 1u);
  EXPECT_NE(h.launcher.launched[0].find(R"(wviewnt.exe -w"WS01.SALES.ACME")"), std::string::npos);
  EXPECT_EQ(NodeKey(ui().TreeViewRC->currentItem()), kCorpRoot + R"(ACME\SALES\WS01)");
  EXPECT_EQ(s().target.TargetClass, "Workstation");
  ASSERT_EQ(ui().ImageCombo1->count(), 1);
  EXPECT_EQ(ui().ImageCombo1->itemText(0), "WS01.SALES.ACME");
  EXPECT_EQ(Status(), "");
}

TEST_F(TargetSearchTest, SeveralHitsAreListedAndNoHitsStartNothing) {
  Type("WS0");
  ASSERT_TRUE(Completed());
  EXPECT_EQ(Entries().size(), 8u);
  EXPECT_EQ(Entries()[1], "WS02.SALES.ACME");
  EXPECT_EQ(ui().lstMultiple->headerItem()->text(0), "Multiple users found ...");
  EXPECT_EQ(Status(), "");

  Type("NOBODY");
  ASSERT_TRUE(Completed());
  EXPECT_TRUE(h.launcher.launched.empty());

  // Blank text does nothing at all.
  SetStatusPanelText(ui(), 2, "before");
  ui().ImageCombo1->setEditText("   ");
  Access::search(*h.window).cmdRC_Click();
  EXPECT_EQ(Status(), "before");
}

TEST_F(TargetSearchTest, AUserIsResolvedToTheWorkstationsOfItsLogins) {
  AddRecord(R"(ACME\SALES\WS02)");
  AddRecord(R"(ACME\SALES\WS03)");
  Type("MMILLER");
  ASSERT_TRUE(Completed());
  EXPECT_EQ(Entries(), (std::vector<QString>{"WS02.SALES.ACME", "WS03.SALES.ACME"}));
  EXPECT_EQ(ui().lstMultiple->headerItem()->text(0), "Workstation(s) currently in use ...");
  EXPECT_EQ(Status().toStdString(), "Context: " + kCorpRoot + R"(ACME\SALES)");
  EXPECT_TRUE(h.launcher.launched.empty());

  // A double click on an entry starts the action there and records the user's pick as acted on.
  QTreeWidgetItem* second = ui().lstMultiple->topLevelItem(1);
  ui().lstMultiple->setCurrentItem(second);
  emit ui().lstMultiple->itemDoubleClicked(second, 0);
  ASSERT_EQ(h.launcher.launched.size(), 1u);
  EXPECT_NE(h.launcher.launched[0].find("-w\"WS03.SALES.ACME\""), std::string::npos);
  EXPECT_EQ(s().target.TargetClass, "Workstation");
}

// Only the latest search decides: an earlier one finishing later must not replace its result.
TEST_F(TargetSearchTest, OnlyTheLatestOfOverlappingSearchesIsApplied) {
  ui().ImageCombo1->setEditText("WS0");
  Access::search(*h.window).cmdRC_Click();
  ui().ImageCombo1->setEditText("WS01");
  Access::search(*h.window).cmdRC_Click();
  ASSERT_TRUE(Completed());
  QTest::qWait(0);
  EXPECT_EQ(h.launcher.launched.size(), 1u);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(TargetSearchTest, ASearchThatFailsSaysWhy) {
  s().search.SearchAnchorActive = true;
  s().search.SearchAnchor = kCorpRoot + R"(ACME\GONE)";
  Type("WS01");
  ASSERT_TRUE(Completed());
  EXPECT_EQ(Status().toStdString(),
            "The search anchor " + kCorpRoot + R"(ACME\GONE does not exist any more!)");
  EXPECT_TRUE(h.launcher.launched.empty());
}

}  // namespace
}  // namespace cvx
