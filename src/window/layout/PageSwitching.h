#pragma once

namespace cvx {

struct MainWindowControls;

// Brings page `index` (1 "Remote Action", 2 "Settings", 3 "About") to the front: shows it and
// gives it the focus, hides the page activeTab names, sets activeTab to index and empties status
// panel 2. The tab strip is moved to the same tab without signalling, so the function serves both
// the strip's change signal and handlers that choose a page themselves. Choosing the page already
// in front, or one that does not exist, changes nothing.
void SwitchPage(const MainWindowControls& controls, short& activeTab, int index);

// The same for the settings frames (1 to 4) and activeSettingsTab, except that the focus stays
// where it is.
void SwitchSettingsPage(const MainWindowControls& controls, short& activeSettingsTab, int index);

// Lets clicks on both tab strips switch pages. The counters must live as long as the window.
void ConnectPageSwitching(const MainWindowControls& controls, short& activeTab,
                          short& activeSettingsTab);

// The pages as a handler brings them to the front: the window's page and settings frame
// counters with the strips they belong to.
class Pages {
 public:
  Pages(const MainWindowControls& controls, short& activeTab, short& activeSettingsTab)
      : controls_(controls), activeTab_(activeTab), activeSettingsTab_(activeSettingsTab) {}
  // The Settings page with settings frame `settingsPage` in front.
  void ShowSettingsPage(int settingsPage) const;

 private:
  const MainWindowControls& controls_;
  short& activeTab_;
  short& activeSettingsTab_;
};

}  // namespace cvx
