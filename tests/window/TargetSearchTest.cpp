// Typing a name and pressing Enter in the real window: searches with no, one and several hits.

#include "DemoWindow.h"
#include "window/search/TargetSearch.h"

namespace cvx {
namespace {

class TargetSearchTest : public DemoWindow {
 protected:
  QString Title() { return ui().lstMultiple->headerItem()->text(0); }
};

TEST_F(TargetSearchTest, SeveralHitsAreListedAndOneWorkstationIsStartedAtOnce) {
  ASSERT_TRUE(Search("WS0"));
  ASSERT_EQ(Results().size(), 8);
  EXPECT_EQ(Results()[1], "WS02.SALES.ACME");
  EXPECT_EQ(Title(), "Multiple users found ...");
  ASSERT_TRUE(Search("ws01"));
  EXPECT_TRUE(Has(Launched(), R"(wviewnt.exe -w"WS01.SALES.ACME")")) << Launched();
  EXPECT_EQ(NodeKey(rc().currentItem()), kWs01);
  EXPECT_EQ(ui().ImageCombo1->itemText(0), "WS01.SALES.ACME");  // remembered
  EXPECT_EQ(Panel2(), "");
  // Blank text does nothing at all.
  SetStatusPanelText(ui(), 2, "before");
  ui().ImageCombo1->setEditText("   ");
  Access::search(w()).cmdRC_Click();
  EXPECT_EQ(Panel2(), "before");
}

// Only the latest search decides: an earlier one finishing later must not replace its result.
TEST_F(TargetSearchTest, OnlyTheLatestOfOverlappingSearchesIsApplied) {
  ui().ImageCombo1->setEditText("WS0");
  Access::search(w()).cmdRC_Click();
  ui().ImageCombo1->setEditText("WS01");
  Access::search(w()).cmdRC_Click();
  ASSERT_TRUE(Completed());
  QTest::qWait(0);
  EXPECT_EQ(h.launcher.launched.size(), 1u);
  EXPECT_TRUE(Results().isEmpty());
}

}  // namespace
}  // namespace cvx
