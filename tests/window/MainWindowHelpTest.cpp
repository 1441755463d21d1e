#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWindow>

#include "fakes/MainWindowHarness.h"
#include "window/layout/HelpBrowser.h"

namespace cvx {
namespace {

class MainWindowHelpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
    w.show();
    Activate(&w);
  }

  static void Activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  QList<HelpBrowser*> HelpWindows() const { return w.findChildren<HelpBrowser*>(); }

  void Click(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      const Qt::MouseButtons held =
          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
      QMouseEvent event(type, centre, widget->mapToGlobal(centre), Qt::LeftButton, held,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(widget, &event);
    }
  }

  MainWindowHarness h{CVX_DEMO_DIR, "", {}};
  frmMain& w = *h.window;
  MainWindowControls& ui = Access::ui(w);
};

TEST_F(MainWindowHelpTest, F1AnywhereOpensOneHelpWindowAndASecondBringsItToTheFront) {
  ui.TreeViewRC->setFocus();
  QTest::keyClick(ui.TreeViewRC, Qt::Key_F1);
  ASSERT_EQ(HelpWindows().size(), 1);
  HelpBrowser* help = HelpWindows().front();
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->isWindow());
  // A window of the main window's: the program still ends when the main window closes.
  EXPECT_EQ(help->windowHandle()->transientParent(), w.windowHandle());
  EXPECT_TRUE(QTest::qWaitForWindowActive(help));

  Activate(&w);
  QTest::keyClick(ui.ImageCombo1, Qt::Key_F1);
  EXPECT_EQ(HelpWindows().size(), 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(help));

  // Closed, it comes back as the same window.
  help->close();
  Activate(&w);
  QTest::keyClick(&w, Qt::Key_F1);
  EXPECT_EQ(HelpWindows(), QList<HelpBrowser*>{help});
  EXPECT_TRUE(help->isVisible());
}

TEST_F(MainWindowHelpTest, TheHelpPanelIsAButtonThatSendsF1) {
  QLabel* helpPanel = ui.StatusPanel[1];
  QLabel* statusPanel = ui.StatusPanel[2];
  EXPECT_EQ(helpPanel->frameShadow(), QFrame::Raised);

  Click(statusPanel);
  EXPECT_TRUE(HelpWindows().isEmpty());

  Click(helpPanel);
  ASSERT_EQ(HelpWindows().size(), 1);
  EXPECT_TRUE(HelpWindows().front()->isVisible());
  EXPECT_EQ(helpPanel->frameShadow(), QFrame::Sunken);

  // The mouse moving over the status bar raises the panel again.
  QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), ui.StatusBar->mapToGlobal(QPointF(2, 2)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(ui.StatusBar, &move);
  EXPECT_EQ(helpPanel->frameShadow(), QFrame::Raised);

  // With the help window in front, a click on the panel still reaches it, and no second opens.
  Click(helpPanel);
  EXPECT_EQ(HelpWindows().size(), 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(HelpWindows().front()));
}

}  // namespace
}  // namespace cvx
