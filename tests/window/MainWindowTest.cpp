// The real window's pages, help and attribute display.

#include "DemoWindow.h"
#include "window/layout/HelpBrowser.h"

namespace cvx {
namespace {

class MainWindowTest : public DemoWindow {
 protected:
  void Activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  QList<HelpBrowser*> HelpWindows() { return w().findChildren<HelpBrowser*>(); }
  static void Click(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent event(type, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(widget, &event);
    }
  }
};

// F1 anywhere, or the help panel, opens one help window owned by the main window (so the program
// still ends with it); asked again, the same one comes to the front.
TEST_F(MainWindowTest, F1OrTheHelpPanelOpensOneHelpWindow) {
  Activate(&w());
  QTest::keyClick(&rc(), Qt::Key_F1);
  ASSERT_EQ(HelpWindows().size(), 1);
  HelpBrowser* help = HelpWindows().front();
  EXPECT_TRUE(help->isWindow());
  EXPECT_EQ(help->windowHandle()->transientParent(), w().windowHandle());
  EXPECT_TRUE(QTest::qWaitForWindowActive(help));
  Activate(&w());
  QTest::keyClick(ui().ImageCombo1, Qt::Key_F1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(help));
  help->close();

  QLabel* panel = ui().StatusPanel[1];
  EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
  Click(ui().StatusPanel[2]);
  EXPECT_FALSE(help->isVisible());
  Click(panel);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);
  // With the help window in front, a click on the panel still reaches it.
  Click(panel);
  EXPECT_TRUE(QTest::qWaitForWindowActive(help));
  EXPECT_EQ(HelpWindows(), QList<HelpBrowser*>{help});
}

TEST_F(MainWindowTest, TheCheckedAttributesOfTheObjectAreListed) {
  // The layout box chooses the picker shown.
  ui().cmbNDSInfoLayout->setCurrentIndex(1);
  EXPECT_FALSE(ui().lstNDSInfoSelect[1]->isHidden());
  EXPECT_TRUE(ui().lstNDSInfoSelect[0]->isHidden());
  // Checked out of picker order: the picker's order is kept, and an unknown name passed over.
  SetCheckedAttributes(ui(), 0, {"Telephone Number", "Surname", "No Such Attribute"});
  EXPECT_EQ(CheckedAttributes(ui(), 0), (std::vector<std::string>{"Surname", "Telephone Number"}));
  EXPECT_EQ(Access::attributes(w()).getNDSinfo(kJsmith), 0);
  QTreeWidget& view = *ui().lvwNDSinfo;
  ASSERT_EQ(view.topLevelItemCount(), 4);
  EXPECT_EQ(view.topLevelItem(0)->text(1), "Smith");
  EXPECT_EQ(view.topLevelItem(3)->text(0), "Telephone Number");
  EXPECT_EQ(view.topLevelItem(3)->text(1), "+1 555 0199");
  // Checks change the next listing, not the one shown; with none checked the view is emptied.
  SetCheckedAttributes(ui(), 0, {});
  EXPECT_EQ(view.topLevelItemCount(), 4);
  Access::attributes(w()).getNDSinfo(kJsmith);
  EXPECT_EQ(view.topLevelItemCount(), 0);
  SetCheckedAttributes(ui(), 0, {"Surname"});
  directory->Cut();
  EXPECT_EQ(Access::attributes(w()).getNDSinfo(kJsmith), kDirLost);
  EXPECT_EQ(view.topLevelItemCount(), 0);
  EXPECT_TRUE(Panel2().startsWith("The attributes of JSMITH.SALES.ACME "));
}

}  // namespace
}  // namespace cvx
