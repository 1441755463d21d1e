// Sizes, splits and drags. ctest runs these again at device pixel ratio 2 and at 192 logical dpi;
// the CVX_TEST_EXPECT_* variables make sure that screen is really the one in use.

#include "DemoWindow.h"
#include "window/controls/TabPane.h"
#include "window/layout/TwipsScale.h"

namespace cvx {
namespace {

class LayoutTest : public DemoWindow {
 protected:
  int Px(double twips) const { return t.ToPixelsX(twips); }
  int PxY(double twips) const { return t.ToPixelsY(twips); }
  void Resize(double width, double height) { ResizeWindowTwips(w(), width, height); }

  // A mouse event on a grab strip, at pos in the strip's own pixels.
  static void Mouse(QWidget* strip, QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, strip->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &event);
  }

  // Within each container no two controls shown overlap and none has a negative size. A page
  // stands on its tab pane by design, so the panes are left out; so are controls without an area.
  static void ExpectTidy(const std::string& where, std::initializer_list<QWidget*> containers) {
    for (QWidget* container : containers) {
      std::vector<QWidget*> shown;
      for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(child->width() >= 0 && child->height() >= 0) << where;
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

  TwipsScale t{w()};
};

TEST_F(LayoutTest, RunsOnTheScreenItWasMeantFor) {
  if (qEnvironmentVariableIsSet("CVX_TEST_EXPECT_DPR")) {
    EXPECT_EQ(w().devicePixelRatio(), qEnvironmentVariableIntValue("CVX_TEST_EXPECT_DPR"));
  }
  if (qEnvironmentVariableIsSet("CVX_TEST_EXPECT_DPI")) {
    EXPECT_EQ(w().logicalDpiX(), qEnvironmentVariableIntValue("CVX_TEST_EXPECT_DPI"));
  }
}

// From the narrowest window to a full screen, splits at the drag limits and beyond (stored by a
// larger window), every page in front in turn; the splits stay where they were put.
TEST_F(LayoutTest, NoControlOverlapsAnotherAtAnySize) {
  const double screenWidth = t.ToTwipsX(1920);
  const double screenHeight = t.ToTwipsY(1080);
  const std::pair<double, double> splits[] = {
      {kDefaultSplitV, kDefaultSplitH}, {500, 1500}, {screenWidth - 500, screenHeight - 1500}};
  MainState& st = s();
  for (const auto& [splitV, splitH] : splits) {
    Access::layout(w()).SizeControlsV(splitV);
    Access::layout(w()).SizeControlsH(splitH);
    for (const double width : {kMinimumWindowWidth, 3700.0, 5200.0, 8000.0, 14000.0, screenWidth}) {
      for (const double height : {1500.0, 2600.0, 4000.0, 7000.0, screenHeight}) {
        Resize(width, height);
        const std::string where = std::to_string(int(width)) + " x " + std::to_string(int(height)) +
                                  ", splits " + std::to_string(int(splitV)) + " / " +
                                  std::to_string(int(splitH));
        ASSERT_NEAR(WindowWidthTwips(w()), width, t.ToTwipsX(1)) << where;
        SwitchPage(ui(), st.pages.ActiveTab, 1);
        ExpectTidy(where + ", page 1", {w().centralWidget(), ui().picControl[1]});
        SwitchPage(ui(), st.pages.ActiveTab, 2);
        for (int i = 1; i <= 4; ++i) {
          SwitchSettingsPage(ui(), st.pages.ActiveSettingsTab, i);
          ExpectTidy(where + ", settings " + std::to_string(i),
                     {ui().picControl[2], ui().frameS[i], ui().frmDBopt});
        }
        SwitchPage(ui(), st.pages.ActiveTab, 3);
        ExpectTidy(where + ", page 3", {ui().picControl[3], ui().FrameAbout});
        SwitchPage(ui(), st.pages.ActiveTab, 1);
        EXPECT_EQ(ui().imgSplitterV->x(), Px(splitV)) << where;
        EXPECT_EQ(ui().imgSplitterH->y(), PxY(splitH)) << where;
      }
    }
  }
}

TEST_F(LayoutTest, TheWindowSizeSurvivesTwipsAndIsNeverNarrowerThanTheMinimum) {
  Resize(kDefaultWindowWidth, kDefaultWindowHeight);
  const int width = WindowWidthTwips(w());
  const int height = WindowHeightTwips(w());
  EXPECT_NEAR(width, kDefaultWindowWidth, t.ToTwipsX(1));
  Resize(width, height);
  EXPECT_EQ(WindowWidthTwips(w()), width);
  EXPECT_EQ(WindowHeightTwips(w()), height);
  // Without the minimum size the window manager would enforce, the handler widens it itself.
  w().setMinimumWidth(0);
  w().resize(40, w().height());
  EXPECT_NEAR(WindowWidthTwips(w()), kMinimumWindowWidth, t.ToTwipsX(1));
  Resize(kDefaultWindowWidth, 1500);
  EXPECT_NEAR(WindowHeightTwips(w()), 1500, t.ToTwipsY(1));

  // A long status text does not widen the window.
  const int before = w().minimumSizeHint().width();
  SetStatusPanelText(ui(), 2, QString(400, QLatin1Char('x')));
  EXPECT_EQ(w().minimumSizeHint().width(), before);
  // Minimized, the caption is short; restored, the window is laid out again.
  Access::layout(w()).SizeControlsV(4000);
  w().showMinimized();
  EXPECT_EQ(w().windowTitle(), "CVX on CORP");
  ui().lvwNDSinfo->setGeometry(0, 0, 5, 5);
  w().showNormal();
  EXPECT_EQ(w().windowTitle(), "Corvexa on CORP");
  EXPECT_GT(ui().lvwNDSinfo->x(), Px(4000));
}

// A bar follows the mouse within its limits; the views follow on release, and the split stays.
TEST_F(LayoutTest, ADraggedBarStaysWithinItsLimitsAndTheSplitFollowsOnRelease) {
  struct Case {
    QFrame* strip;
    QFrame* bar;
    bool vertical;
    double low;
  };
  for (const Case& c : {Case{ui().imgSplitterV, ui().picSplitterV, true, 500},
                        Case{ui().imgSplitterH, ui().picSplitterH, false, 1500}}) {
    SCOPED_TRACE(c.vertical ? "vertical" : "horizontal");
    const auto at = [&](int d) { return c.vertical ? QPoint(d, 10) : QPoint(10, d); };
    const auto place = [&](const QWidget* x) { return c.vertical ? x->x() : x->y(); };
    const QRect before = c.strip->geometry();
    Mouse(c.strip, QEvent::MouseButtonPress, at(1));
    EXPECT_TRUE(c.bar->isVisible());
    EXPECT_EQ(c.strip->geometry(), before);
    Mouse(c.strip, QEvent::MouseMove, at(-4000));
    EXPECT_EQ(place(c.bar), c.vertical ? Px(c.low) : PxY(c.low));
    Mouse(c.strip, QEvent::MouseMove, at(4000));
    EXPECT_EQ(place(c.bar),
              c.vertical ? Px(WindowWidthTwips(w()) - c.low) : PxY(WindowHeightTwips(w()) - c.low));
    Mouse(c.strip, QEvent::MouseMove, at(-40));
    const int dropped = place(c.bar);
    Mouse(c.strip, QEvent::MouseButtonRelease, at(-40));
    EXPECT_FALSE(c.bar->isVisible());
    EXPECT_EQ(place(c.strip), dropped);
    Resize(kDefaultWindowWidth + 900, kDefaultWindowHeight + 900);
    EXPECT_EQ(place(c.strip), dropped);
  }
  EXPECT_EQ(rc().x() + rc().width(), ui().imgSplitterV->x());
  // A move or release without a press moves nothing.
  const QRect before = ui().imgSplitterV->geometry();
  Mouse(ui().imgSplitterV, QEvent::MouseMove, {-100, 10});
  Mouse(ui().imgSplitterV, QEvent::MouseButtonRelease, {-100, 10});
  EXPECT_EQ(ui().imgSplitterV->geometry(), before);
}

// A split beyond a narrowed window leaves the views past it without room (never a negative
// width), and stays put: once the window is wide again, they are back.
TEST_F(LayoutTest, StoredSplitsOutsideTheDragLimitsApplyAndViewsWithoutRoomCollapse) {
  Access::layout(w()).SizeControlsV(100);
  EXPECT_EQ(ui().imgSplitterV->x(), Px(100));
  Access::layout(w()).SizeControlsV(9000);
  Access::layout(w()).SizeControlsH(kDefaultWindowHeight + 1000);
  Resize(kMinimumWindowWidth, kDefaultWindowHeight);
  EXPECT_EQ(ui().imgSplitterV->x(), Px(9000));
  EXPECT_EQ(ui().lvwNDSinfo->width(), 0);
  EXPECT_EQ(ui().lstMultiple->width(), 0);
  EXPECT_EQ(ui().imgSplitterH->width(), 0);
  EXPECT_EQ(ui().lstMultiple->height(), 0);
  Resize(12000, kDefaultWindowHeight + 3000);
  EXPECT_EQ(ui().imgSplitterV->x(), Px(9000));
  EXPECT_GT(ui().lvwNDSinfo->width(), Px(2000));
}

}  // namespace
}  // namespace cvx
