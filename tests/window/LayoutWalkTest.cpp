#include <gtest/gtest.h>

#include <QGroupBox>
#include <QTest>

#include "fakes/MainWindowHarness.h"
#include "fakes/frmMainTestAccess.h"
#include "window/controls/TabPane.h"
#include "window/layout/PageSwitching.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"

namespace cvx {
namespace {

// The real window walked through sizes from the narrowest and a low one up to a full screen,
// with the splits where a drag can put them and where a stored value from a larger window can.
// ctest runs this again on a screen of device pixel ratio 2 and at 192 logical dpi; the
// CVX_TEST_EXPECT_* variables make sure that screen is really the one in use.
class LayoutWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  }

  // Every control shown in front, page by page and settings frame by frame.
  void ExpectTidyOnEveryPage(const std::string& where) {
    MainState& s = Access::state(w);
    SwitchPage(ui, s.pages.ActiveTab, 1);
    ExpectTidy(where + ", page 1", {w.centralWidget(), ui.picControl[1]});
    SwitchPage(ui, s.pages.ActiveTab, 2);
    for (int i = 1; i <= 4; ++i) {
      SwitchSettingsPage(ui, s.pages.ActiveSettingsTab, i);
      ExpectTidy(where + ", settings " + std::to_string(i),
                 {ui.picControl[2], ui.frameS[i], ui.frmDBopt});
    }
    SwitchPage(ui, s.pages.ActiveTab, 3);
    ExpectTidy(where + ", page 3", {ui.picControl[3], ui.FrameAbout});
    SwitchPage(ui, s.pages.ActiveTab, 1);
  }

  // Within each container no two controls shown overlap. A page stands on its tab pane by
  // design, so the panes are left out; so are controls without an area.
  static void ExpectTidy(const std::string& where, std::initializer_list<QWidget*> containers) {
    for (QWidget* container : containers) {
      std::vector<QWidget*> shown;
      for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_GE(child->width(), 0);
        EXPECT_GE(child->height(), 0);
        if (child->isVisible() && !child->isWindow() && !qobject_cast<TabPane*>(child) &&
            !child->geometry().isEmpty())
          shown.push_back(child);
      }
      for (std::size_t a = 0; a < shown.size(); ++a) {
        for (std::size_t b = a + 1; b < shown.size(); ++b) {
          EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
              << where << ": " << shown[a]->objectName().toStdString() << " overlaps "
              << shown[b]->objectName().toStdString();
        }
      }
    }
  }

  MainWindowHarness h{CVX_DEMO_DIR, "", {}};
  frmMain& w = *h.window;
  MainWindowControls& ui = Access::ui(w);
};

TEST_F(LayoutWalkTest, RunsOnTheScreenItWasMeantFor) {
  if (qEnvironmentVariableIsSet("CVX_TEST_EXPECT_DPR")) {
    EXPECT_EQ(w.devicePixelRatio(), qEnvironmentVariableIntValue("CVX_TEST_EXPECT_DPR"));
  }
  if (qEnvironmentVariableIsSet("CVX_TEST_EXPECT_DPI")) {
    EXPECT_EQ(w.logicalDpiX(), qEnvironmentVariableIntValue("CVX_TEST_EXPECT_DPI"));
  }
}

TEST_F(LayoutWalkTest, NoControlOverlapsAnotherAtAnySize) {
  const TwipsScale t(w);
  // A 1920 x 1080 screen, whatever a pixel is worth here.
  const double screenWidth = t.ToTwipsX(1920);
  const double screenHeight = t.ToTwipsY(1080);
  const std::pair<double, double> splits[] = {
      {kDefaultSplitV, kDefaultSplitH}, {500, 1500}, {screenWidth - 500, screenHeight - 1500}};
  for (const auto& [splitV, splitH] : splits) {
    Access::layout(w).SizeControlsV(splitV);
    Access::layout(w).SizeControlsH(splitH);
    for (const double width : {kMinimumWindowWidth, 3700.0, 5200.0, 8000.0, 14000.0, screenWidth}) {
      for (const double height : {1500.0, 2600.0, 4000.0, 7000.0, screenHeight}) {
        ResizeWindowTwips(w, width, height);
        const std::string where = "window " + std::to_string(int(width)) + " x " +
                                  std::to_string(int(height)) + ", splits " +
                                  std::to_string(int(splitV)) + " / " + std::to_string(int(splitH));
        ASSERT_NEAR(WindowWidthTwips(w), width, t.ToTwipsX(1)) << where;
        ExpectTidyOnEveryPage(where);
        // The splits stay where they were put, whatever room the window leaves.
        EXPECT_EQ(ui.imgSplitterV->x(), t.ToPixelsX(splitV)) << where;
        EXPECT_EQ(ui.imgSplitterH->y(), t.ToPixelsY(splitH)) << where;
      }
    }
  }
}

}  // namespace
}  // namespace cvx
