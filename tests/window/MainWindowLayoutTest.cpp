#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTreeWidget>

#include "fakes/MainWindowHarness.h"
#include "fakes/frmMainTestAccess.h"
#include "window/layout/PageSwitching.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"

namespace cvx {
namespace {

constexpr int kPixel = 1;

// The real window on the demo tree after start-up, shown.
class MainWindowLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  }

  int Px(double twips) const { return t.ToPixelsX(twips); }
  int PxY(double twips) const { return t.ToPixelsY(twips); }

  // A mouse event on a grab strip, at pos in the strip's own pixels.
  static void Mouse(QWidget* strip, QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, strip->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &event);
  }

  MainWindowHarness h{CVX_DEMO_DIR, "", {}};
  frmMain& w = *h.window;
  MainWindowControls& ui = Access::ui(w);
  TwipsScale t{w};
};

TEST_F(MainWindowLayoutTest, MinimizingShortensTheCaptionAndRestoringLaysOutAgain) {
  EXPECT_EQ(w.windowTitle(), "Corvexa on CORP");
  Access::layout(w).SizeControlsV(4000);
  Access::layout(w).SizeControlsH(4500);

  w.showMinimized();
  EXPECT_EQ(w.windowTitle(), "CVX on CORP");
  // Whatever happened to the controls meanwhile, restoring puts them back from the splits.
  ui.lvwNDSinfo->setGeometry(0, 0, 5, 5);
  ui.imgSplitterV->move(0, 0);

  w.showNormal();
  EXPECT_EQ(w.windowTitle(), "Corvexa on CORP");
  EXPECT_EQ(ui.imgSplitterV->x(), Px(4000));
  EXPECT_EQ(ui.imgSplitterH->y(), PxY(4500));
  EXPECT_NEAR(ui.lvwNDSinfo->x(), Px(4050), kPixel);
  EXPECT_EQ(ui.lvwNDSinfo->y(), ui.TreeViewRC->y());
  EXPECT_NEAR(ui.lvwNDSinfo->y() + ui.lvwNDSinfo->height(), PxY(4500), kPixel);
}

TEST_F(MainWindowLayoutTest, TheWindowIsNeverNarrowerThan3000ButMayBeLow) {
  w.resize(40, w.height());
  EXPECT_NEAR(WindowWidthTwips(w), kMinimumWindowWidth, t.ToTwipsX(kPixel));

  // Without the minimum size the window manager would enforce, the handler widens it itself.
  w.setMinimumWidth(0);
  w.resize(40, w.height());
  EXPECT_NEAR(WindowWidthTwips(w), kMinimumWindowWidth, t.ToTwipsX(kPixel));

  ResizeWindowTwips(w, kDefaultWindowWidth, 1500);
  EXPECT_NEAR(WindowHeightTwips(w), 1500, t.ToTwipsY(kPixel));
}

TEST_F(MainWindowLayoutTest, TheHistoryBoxHasTheFocusOnShowingAndAfterEveryResize) {
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  EXPECT_TRUE(ui.ImageCombo1->hasFocus());

  ui.TreeViewRC->setFocus();
  ASSERT_FALSE(ui.ImageCombo1->hasFocus());
  ResizeWindowTwips(w, kDefaultWindowWidth + 600, kDefaultWindowHeight);
  EXPECT_TRUE(ui.ImageCombo1->hasFocus());

  // On another page the box cannot be seen, so the focus stays where it is.
  SwitchPage(ui, Access::state(w).pages.ActiveTab, 2);
  ui.txtInvServer->setFocus();
  ResizeWindowTwips(w, kDefaultWindowWidth, kDefaultWindowHeight);
  EXPECT_FALSE(ui.ImageCombo1->hasFocus());
}

TEST_F(MainWindowLayoutTest, TheVerticalBarFollowsTheMouseWithinItsLimits) {
  QFrame* strip = ui.imgSplitterV;
  QFrame* bar = ui.picSplitterV;
  const QRect before = strip->geometry();

  Mouse(strip, QEvent::MouseButtonPress, {1, 10});
  EXPECT_TRUE(Access::state(w).pages.SplitterMoving);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->pos(), before.topLeft());
  EXPECT_NEAR(bar->width(), Px(t.Width(*strip) / 2.0), kPixel);
  EXPECT_NEAR(bar->height(), PxY(t.Height(*strip) - 20), kPixel);
  // Nothing moves until the button is let go.
  EXPECT_EQ(strip->geometry(), before);

  Mouse(strip, QEvent::MouseMove, {-2000, 10});
  EXPECT_EQ(bar->x(), Px(500));
  Mouse(strip, QEvent::MouseMove, {3000, 10});
  EXPECT_EQ(bar->x(), Px(WindowWidthTwips(w) - 500));
  // In between, the bar stands 35 left of the mouse.
  Mouse(strip, QEvent::MouseMove, {-60, 10});
  const int dropped = bar->x();
  EXPECT_NEAR(dropped, Px(t.Left(*strip) + t.ToTwipsX(-60) - 35), kPixel);

  Mouse(strip, QEvent::MouseButtonRelease, {-60, 10});
  EXPECT_FALSE(Access::state(w).pages.SplitterMoving);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(strip->x(), dropped);
  EXPECT_EQ(ui.TreeViewRC->x() + ui.TreeViewRC->width(), dropped);
  EXPECT_EQ(Px(Access::state(w).pages.splitV), dropped);

  // The next layout keeps the split where it was dropped.
  ResizeWindowTwips(w, kDefaultWindowWidth + 900, kDefaultWindowHeight);
  EXPECT_EQ(strip->x(), dropped);
}

TEST_F(MainWindowLayoutTest, TheHorizontalBarFollowsTheMouseWithinItsLimits) {
  QFrame* strip = ui.imgSplitterH;
  QFrame* bar = ui.picSplitterH;

  Mouse(strip, QEvent::MouseButtonPress, {10, 1});
  EXPECT_TRUE(Access::state(w).pages.SplitterMoving);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->x(), strip->x());
  EXPECT_NEAR(bar->y(), PxY(t.Top(*strip) - 20), kPixel);
  EXPECT_EQ(bar->width(), strip->width());

  Mouse(strip, QEvent::MouseMove, {10, -2000});
  EXPECT_EQ(bar->y(), PxY(1500));
  Mouse(strip, QEvent::MouseMove, {10, 2000});
  EXPECT_EQ(bar->y(), PxY(WindowHeightTwips(w) - 1500));
  Mouse(strip, QEvent::MouseMove, {10, -40});
  const int dropped = bar->y();
  EXPECT_NEAR(dropped, PxY(t.Top(*strip) + t.ToTwipsY(-40)), kPixel);

  Mouse(strip, QEvent::MouseButtonRelease, {10, -40});
  EXPECT_FALSE(Access::state(w).pages.SplitterMoving);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(strip->y(), dropped);
  EXPECT_EQ(Px(Access::state(w).pages.splitH), dropped);
  EXPECT_NEAR(ui.lstMultiple->y(), dropped + PxY(30), kPixel);
}

TEST_F(MainWindowLayoutTest, AMoveOrReleaseWithoutAPressMovesNothing) {
  const QRect before = ui.imgSplitterV->geometry();
  Mouse(ui.imgSplitterV, QEvent::MouseMove, {-100, 10});
  Mouse(ui.imgSplitterV, QEvent::MouseButtonRelease, {-100, 10});
  EXPECT_EQ(ui.imgSplitterV->geometry(), before);
  EXPECT_FALSE(ui.picSplitterV->isVisible());
}

TEST_F(MainWindowLayoutTest, StoredSplitsOutsideTheDragLimitsApplyAsTheyAre) {
  Access::layout(w).SizeControlsV(100);
  Access::layout(w).SizeControlsH(900);
  EXPECT_EQ(ui.imgSplitterV->x(), Px(100));
  EXPECT_EQ(ui.imgSplitterH->y(), PxY(900));
  ResizeWindowTwips(w, kDefaultWindowWidth + 300, kDefaultWindowHeight + 300);
  EXPECT_EQ(ui.imgSplitterV->x(), Px(100));
  EXPECT_EQ(ui.imgSplitterH->y(), PxY(900));

  // A split beyond a narrowed window leaves the views past it without room, and stays put: once
  // the window is wide again, they are back.
  Access::layout(w).SizeControlsV(9000);
  ResizeWindowTwips(w, kMinimumWindowWidth, kDefaultWindowHeight);
  EXPECT_EQ(ui.imgSplitterV->x(), Px(9000));
  EXPECT_EQ(ui.lvwNDSinfo->width(), 0);
  EXPECT_EQ(ui.lstMultiple->width(), 0);
  ResizeWindowTwips(w, 12000, kDefaultWindowHeight);
  EXPECT_EQ(ui.imgSplitterV->x(), Px(9000));
  EXPECT_NEAR(ui.lvwNDSinfo->width(), Px(12000 - (9000 - 60 + 420)), 2 * kPixel);
}

}  // namespace
}  // namespace cvx
