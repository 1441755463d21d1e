#pragma once

#include "window/attributes/AttributeDisplay.h"
#include "window/browsers/RemoteControlBrowser.h"
#include "window/browsers/WorkstationBrowser.h"
#include "window/database/DatabaseBuildPage.h"
#include "window/frmMain.h"
#include "window/layout/WindowLayout.h"
#include "window/search/HistoryBox.h"
#include "window/search/TargetSearch.h"
#include "window/startup/SettingsMapping.h"

namespace cvx {

// What a test reads and drives of a whole window: its controls, state and controllers.
struct frmMainTestAccess {
  static MainWindowControls& ui(frmMain& w) { return w.ui_; }
  static MainState& state(frmMain& w) { return w.state_; }
  static DirectoryControls& dir(frmMain& w) { return w.dir_; }
  static const ImageListMy& images(frmMain& w) { return w.images_; }
  static TargetSearch& search(frmMain& w) { return *w.search_; }
  static HistoryBox& history(frmMain& w) { return *w.history_; }
  static RemoteControlBrowser& browserRC(frmMain& w) { return *w.browserRC_; }
  static WorkstationBrowser& browserWS(frmMain& w) { return *w.browserWS_; }
  static DatabaseBuildPage& database(frmMain& w) { return *w.database_; }
  static AttributeDisplay& attributes(frmMain& w) { return *w.attributes_; }
  static WindowLayout& layout(frmMain& w) { return *w.layout_; }
  static SettingsMapping& settings(frmMain& w) { return *w.settings_; }
};
using Access = frmMainTestAccess;

}  // namespace cvx
