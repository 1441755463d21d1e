#include "window/layout/PageSwitching.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QTabBar>

#include "window/controls/MainWindowControls.h"
#include "window/controls/StatusPanels.h"

namespace cvx {
namespace {

class PageSwitchingTest : public ::testing::Test {
 protected:
  PageSwitchingTest() { SetStatusPanelText(c, 2, QStringLiteral("Context: NDS:\\\\T\\O")); }

  std::vector<int> ShownPages() const {
    std::vector<int> shown;
    for (int i = 1; i <= 3; ++i) {
      if (!c.picControl[i]->isHidden()) shown.push_back(i);
    }
    return shown;
  }
  std::vector<int> ShownFrames() const {
    std::vector<int> shown;
    for (int i = 1; i <= 4; ++i) {
      if (!c.frameS[i]->isHidden()) shown.push_back(i);
    }
    return shown;
  }

  QMainWindow window;
  MainWindowControls c = BuildMainWindowControls(&window);
  short activeTab = 1;
  short activeSettingsTab = 1;
};

// A click on a tab shows its page alone and clears the status; choosing a page in code moves the
// tab without switching twice through the signal; a settings frame does not take the focus; the
// active page or a missing one changes nothing.
TEST_F(PageSwitchingTest, TabsShowTheirPageAloneAndClearTheStatus) {
  ConnectPageSwitching(c, activeTab, activeSettingsTab);
  SwitchPage(c, activeTab, 0);
  SwitchPage(c, activeTab, 4);
  SwitchSettingsPage(c, activeSettingsTab, 5);
  EXPECT_EQ(StatusPanelText(c, 2), QStringLiteral("Context: NDS:\\\\T\\O"));
  c.TabStrip->setCurrentIndex(1);
  EXPECT_EQ(ShownPages(), std::vector<int>{2});
  EXPECT_EQ(activeTab, 2);
  EXPECT_EQ(StatusPanelText(c, 2), QString());
  c.ImageCombo1->setFocus();
  c.TabStripSettings->setCurrentIndex(3);
  EXPECT_EQ(ShownFrames(), std::vector<int>{4});
  EXPECT_EQ(activeSettingsTab, 4);
  EXPECT_EQ(window.focusWidget(), c.ImageCombo1);

  SwitchPage(c, activeTab, 3);
  EXPECT_EQ(ShownPages(), std::vector<int>{3});
  EXPECT_EQ(c.TabStrip->currentIndex(), 2);
  EXPECT_EQ(window.focusWidget(), c.picControl[3]);
  EXPECT_EQ(activeTab, 3);
}

}  // namespace
}  // namespace cvx
