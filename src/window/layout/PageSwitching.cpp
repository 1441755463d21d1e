#include "window/layout/PageSwitching.h"

#include <QGroupBox>
#include <QSignalBlocker>
#include <QTabBar>

#include "window/controls/MainWindowControls.h"
#include "window/controls/StatusPanels.h"

namespace cvx {

namespace {

template <typename Page, std::size_t N>
bool Switch(QTabBar* strip, const std::array<Page*, N>& pages, short& active, int index,
            bool giveFocus) {
  if (index == active || index < 1 || index >= static_cast<int>(N)) return false;
  if (strip->currentIndex() != index - 1) {
    const QSignalBlocker quiet(strip);
    strip->setCurrentIndex(index - 1);
  }
  Page* shown = pages[static_cast<std::size_t>(index)];
  shown->show();
  if (giveFocus) shown->setFocus();
  if (active >= 1 && active < static_cast<int>(N)) pages[static_cast<std::size_t>(active)]->hide();
  active = static_cast<short>(index);
  return true;
}

}  // namespace

void SwitchPage(const MainWindowControls& controls, short& activeTab, int index) {
  if (Switch(controls.TabStrip, controls.picControl, activeTab, index, true))
    SetStatusPanelText(controls, 2, QString());
}

void SwitchSettingsPage(const MainWindowControls& controls, short& activeSettingsTab, int index) {
  if (Switch(controls.TabStripSettings, controls.frameS, activeSettingsTab, index, false))
    SetStatusPanelText(controls, 2, QString());
}

void ConnectPageSwitching(const MainWindowControls& controls, short& activeTab,
                          short& activeSettingsTab) {
  // The lambdas keep their own copy of the pointers: the caller's struct may be a temporary.
  QObject::connect(controls.TabStrip, &QTabBar::currentChanged, controls.TabStrip,
                   [controls, &activeTab](int tab) { SwitchPage(controls, activeTab, tab + 1); });
  QObject::connect(controls.TabStripSettings, &QTabBar::currentChanged, controls.TabStripSettings,
                   [controls, &activeSettingsTab](int tab) {
                     SwitchSettingsPage(controls, activeSettingsTab, tab + 1);
                   });
}

void Pages::ShowSettingsPage(int settingsPage) const {
  SwitchPage(controls_, activeTab_, 2);
  SwitchSettingsPage(controls_, activeSettingsTab_, settingsPage);
}

}  // namespace cvx
