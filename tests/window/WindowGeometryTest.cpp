#include "window/layout/WindowGeometry.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

#include "window/controls/MainWindowControls.h"
#include "window/layout/TwipsScale.h"

namespace cvx {
namespace {

// Twips become whole pixels one by one, so two lengths that agree in twips may differ by a pixel
// once placed.
constexpr int kPixel = 1;

class WindowGeometryTest : public ::testing::Test {
 protected:
  WindowGeometryTest() { Arrange(kDefaultWindowWidth, kDefaultWindowHeight); }

  void Arrange(double width, double height) {
    ResizeWindowTwips(window, width, height);
    ArrangeControls(c, window, kDefaultSplitV, kDefaultSplitH);
  }
  int Px(double twips) const { return t.ToPixelsX(twips); }
  int PxY(double twips) const { return t.ToPixelsY(twips); }

  // Children shown on a container, the drag bars (hidden until a drag) left out.
  static std::vector<QWidget*> ShownChildren(const QWidget* parent) {
    std::vector<QWidget*> shown;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->isHidden() && !child->isWindow()) shown.push_back(child);
    }
    return shown;
  }

  static void ExpectTidy(const QWidget* parent) {
    SCOPED_TRACE(parent->objectName().toStdString());
    const std::vector<QWidget*> shown = ShownChildren(parent);
    ASSERT_FALSE(shown.empty());
    for (std::size_t a = 0; a < shown.size(); ++a) {
      EXPECT_TRUE(parent->rect().contains(shown[a]->geometry()))
          << shown[a]->objectName().toStdString() << " leaves its container";
      EXPECT_GT(shown[a]->width(), 0) << shown[a]->objectName().toStdString();
      EXPECT_GT(shown[a]->height(), 0) << shown[a]->objectName().toStdString();
      for (std::size_t b = a + 1; b < shown.size(); ++b) {
        EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
            << shown[a]->objectName().toStdString() << " overlaps "
            << shown[b]->objectName().toStdString();
      }
    }
  }

  QMainWindow window;
  MainWindowControls c = BuildMainWindowControls(&window);
  TwipsScale t{window};
};

TEST_F(WindowGeometryTest, WindowSizeInTwipsSurvivesStoringAndRestoring) {
  const int width = WindowWidthTwips(window);
  const int height = WindowHeightTwips(window);
  EXPECT_NEAR(width, kDefaultWindowWidth, t.ToTwipsX(kPixel));
  EXPECT_NEAR(height, kDefaultWindowHeight, t.ToTwipsY(kPixel));
  ResizeWindowTwips(window, width, height);
  EXPECT_EQ(WindowWidthTwips(window), width);
  EXPECT_EQ(WindowHeightTwips(window), height);
}

TEST_F(WindowGeometryTest, ActionButtonsSitFlushRightOfTheHistoryBox) {
  const QRect combo = c.ImageCombo1->geometry();
  const QRect action = c.cmdRC->geometry();
  const QRect menu = c.Command1->geometry();
  EXPECT_NEAR(action.left(), combo.left() + combo.width() + Px(60), kPixel);
  EXPECT_EQ(action.top(), combo.top());
  EXPECT_EQ(action.height(), combo.height());
  EXPECT_EQ(menu.left(), action.left() + action.width());
  EXPECT_EQ(menu.top(), action.top());
  EXPECT_EQ(menu.height(), action.height());
  // Together they end 200 in from the page's right edge, counted from the box's left edge.
  EXPECT_NEAR(combo.width() + action.width() + menu.width(), c.picControl[1]->width() - Px(200),
              2 * kPixel);
}

TEST_F(WindowGeometryTest, SplittersDivideTheViewsWhereTheyWereSet) {
  const QRect tree = c.TreeViewRC->geometry();
  const QRect info = c.lvwNDSinfo->geometry();
  const QRect results = c.lstMultiple->geometry();
  EXPECT_EQ(c.imgSplitterV->x(), Px(kDefaultSplitV));
  EXPECT_EQ(tree.left() + tree.width(), Px(kDefaultSplitV));
  EXPECT_NEAR(info.left(), Px(kDefaultSplitV + 50), kPixel);
  EXPECT_EQ(results.left(), info.left());
  EXPECT_EQ(results.width(), info.width());
  EXPECT_EQ(info.top(), tree.top());

  EXPECT_EQ(c.imgSplitterH->y(), PxY(kDefaultSplitH));
  EXPECT_NEAR(info.top() + info.height(), PxY(kDefaultSplitH), kPixel);
  EXPECT_NEAR(results.top(), PxY(kDefaultSplitH + 30), kPixel);
  EXPECT_NEAR(results.top() + results.height(), c.picControl[1]->height() - PxY(30), 2 * kPixel);
  // The strips lie in the gaps and take the length of the views they divide.
  EXPECT_EQ(c.imgSplitterV->y(), tree.y());
  EXPECT_EQ(c.imgSplitterV->height(), tree.height());
  EXPECT_EQ(c.imgSplitterH->x(), results.x());
  EXPECT_EQ(c.imgSplitterH->width(), results.width());
}

TEST_F(WindowGeometryTest, GrowingTheWindowWidensTheRightViewsOnly) {
  const int treeWidth = c.TreeViewRC->width();
  const int infoWidth = c.lvwNDSinfo->width();
  const int infoHeight = c.lvwNDSinfo->height();
  const int resultsHeight = c.lstMultiple->height();

  Arrange(kDefaultWindowWidth + 4500, kDefaultWindowHeight + 3000);
  EXPECT_EQ(c.TreeViewRC->width(), treeWidth);
  EXPECT_NEAR(c.lvwNDSinfo->width(), infoWidth + Px(4500), 2 * kPixel);
  // The horizontal split stays put; the results list takes the new height.
  EXPECT_EQ(c.lvwNDSinfo->height(), infoHeight);
  EXPECT_NEAR(c.lstMultiple->height(), resultsHeight + PxY(3000), 2 * kPixel);

  window.show();
  QApplication::processEvents();
  const QRect central = window.centralWidget()->rect();
  EXPECT_EQ(c.TabStrip->width(), window.width());
  for (int i = 1; i <= 3; ++i) {
    EXPECT_TRUE(central.contains(c.picControl[i]->geometry())) << i;
    EXPECT_EQ(c.picControl[i]->geometry(), c.picControl[1]->geometry()) << i;
  }
  // The page ends just above the status bar.
  const int pageBottom = c.picControl[1]->geometry().bottom();
  EXPECT_LE(pageBottom, window.height() - c.StatusBar->sizeHint().height());
  EXPECT_GE(pageBottom, window.height() - c.StatusBar->sizeHint().height() - PxY(200));
}

TEST_F(WindowGeometryTest, EveryPageIsTidyAtTheDefaultAndALargerSize) {
  for (const auto& [width, height] :
       {std::pair{kDefaultWindowWidth, kDefaultWindowHeight}, std::pair{15000.0, 11000.0}}) {
    SCOPED_TRACE(width);
    Arrange(width, height);
    ExpectTidy(c.picControl[1]);
    ExpectTidy(c.picControl[3]);
    ExpectTidy(c.FrameAbout);
    for (int i = 1; i <= 4; ++i) {
      c.frameS[i]->show();
      ExpectTidy(c.frameS[i]);
    }
    ExpectTidy(c.frmDBopt);
  }
}

TEST_F(WindowGeometryTest, StoredSplitsApplyUnclampedAndViewsWithoutRoomCollapse) {
  SizeControlsV(c, window, 600);
  EXPECT_EQ(c.imgSplitterV->x(), Px(600));
  EXPECT_EQ(c.TreeViewRC->width(), Px(600) - c.TreeViewRC->x());

  // Past the right edge the views on the right would get a negative width: they get none, and
  // the split stays where it was put.
  SizeControlsV(c, window, kDefaultWindowWidth + 1000);
  EXPECT_EQ(c.imgSplitterV->x(), Px(kDefaultWindowWidth + 1000));
  EXPECT_EQ(c.lvwNDSinfo->width(), 0);
  EXPECT_EQ(c.lstMultiple->width(), 0);
  EXPECT_EQ(c.imgSplitterH->width(), 0);

  SizeControlsH(c, 1500);
  EXPECT_EQ(c.imgSplitterH->y(), PxY(1500));
  EXPECT_NEAR(c.lstMultiple->y(), PxY(1530), kPixel);
  SizeControlsH(c, kDefaultWindowHeight + 1000);
  EXPECT_EQ(c.imgSplitterH->y(), PxY(kDefaultWindowHeight + 1000));
  EXPECT_EQ(c.lstMultiple->height(), 0);
}

}  // namespace
}  // namespace cvx
