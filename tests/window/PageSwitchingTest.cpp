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

TEST_F(PageSwitchingTest, AnotherPageReplacesTheActiveOneAndClearsTheStatus) {
  SwitchPage(c, activeTab, 3);
  EXPECT_EQ(ShownPages(), std::vector<int>{3});
  EXPECT_EQ(activeTab, 3);
  EXPECT_EQ(StatusPanelText(c, 2), QString());
  EXPECT_EQ(window.focusWidget(), c.picControl[3]);
  // The tab strip follows when a handler chooses the page itself.
  EXPECT_EQ(c.TabStrip->currentIndex(), 2);

  SwitchPage(c, activeTab, 2);
  EXPECT_EQ(ShownPages(), std::vector<int>{2});
  EXPECT_EQ(activeTab, 2);
}

TEST_F(PageSwitchingTest, TheActivePageOrAMissingOneChangesNothing) {
  SwitchPage(c, activeTab, 1);
  SwitchPage(c, activeTab, 0);
  SwitchPage(c, activeTab, 4);
  SwitchSettingsPage(c, activeSettingsTab, 1);
  SwitchSettingsPage(c, activeSettingsTab, 5);
  EXPECT_EQ(ShownPages(), std::vector<int>{1});
  EXPECT_EQ(ShownFrames(), std::vector<int>{1});
  EXPECT_EQ(activeTab, 1);
  EXPECT_EQ(activeSettingsTab, 1);
  EXPECT_EQ(StatusPanelText(c, 2), QStringLiteral("Context: NDS:\\\\T\\O"));
}

TEST_F(PageSwitchingTest, SettingsFramesSwitchWithoutTakingTheFocus) {
  c.ImageCombo1->setFocus();
  SwitchSettingsPage(c, activeSettingsTab, 4);
  EXPECT_EQ(ShownFrames(), std::vector<int>{4});
  EXPECT_EQ(activeSettingsTab, 4);
  EXPECT_EQ(StatusPanelText(c, 2), QString());
  EXPECT_EQ(window.focusWidget(), c.ImageCombo1);
  EXPECT_EQ(c.TabStripSettings->currentIndex(), 3);
  // The main pages are not the settings frames' business.
  EXPECT_EQ(ShownPages(), std::vector<int>{1});
}

TEST_F(PageSwitchingTest, ClicksOnTheTabStripsSwitchOnceConnected) {
  ConnectPageSwitching(c, activeTab, activeSettingsTab);
  c.TabStrip->setCurrentIndex(1);
  EXPECT_EQ(ShownPages(), std::vector<int>{2});
  EXPECT_EQ(activeTab, 2);
  c.TabStripSettings->setCurrentIndex(2);
  EXPECT_EQ(ShownFrames(), std::vector<int>{3});
  EXPECT_EQ(activeSettingsTab, 3);

  // Choosing a page in code while connected must not switch twice through the signal.
  SwitchPage(c, activeTab, 1);
  EXPECT_EQ(ShownPages(), std::vector<int>{1});
  EXPECT_EQ(c.TabStrip->currentIndex(), 0);
  EXPECT_EQ(activeTab, 1);
}

}  // namespace
}  // namespace cvx
