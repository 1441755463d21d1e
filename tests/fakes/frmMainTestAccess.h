#pragma once

#include "window/attributes/AttributeDisplay.h"
#include "window/browsers/RemoteControlBrowser.h"
#include "window/browsers/WorkstationBrowser.h"
#include "window/database/DatabaseBuildPage.h"
#include "window/frmMain.h"
#include "window/launch/TargetLauncher.h"
#include "window/layout/WindowLayout.h"
#include "window/menus/ActionMenuController.h"
#include "window/search/HistoryBox.h"
#include "window/search/ResultsList.h"
#include "window/search/TargetSearch.h"
#include "window/startup/SettingsMapping.h"

namespace cvx {

// What a test reads and drives of a whole window: its controls, state and controllers.
struct frmMainTestAccess {
  static MainWindowControls& ui(frmMain& w) { return w.ui_; }
  static MainState& state(frmMain& w) { return w.state_; }
  static DirectoryControls& dir(frmMain& w) { return w.dir_; }
  static DirectoryClient* client(frmMain& w) { return w.client(); }
  static const ImageListMy& images(frmMain& w) { return w.images_; }
  static TargetSearch& search(frmMain& w) { return *w.search_; }
  static ResultsList& results(frmMain& w) { return *w.results_; }
  static HistoryBox& history(frmMain& w) { return *w.history_; }
  static TargetLauncher& launch(frmMain& w) { return *w.launch_; }
  static RemoteControlBrowser& browserRC(frmMain& w) { return *w.browserRC_; }
  static WorkstationBrowser& browserWS(frmMain& w) { return *w.browserWS_; }
  static ActionMenuController& menus(frmMain& w) { return *w.menus_; }
  static DatabaseBuildPage& database(frmMain& w) { return *w.database_; }
  static AttributeDisplay& attributes(frmMain& w) { return *w.attributes_; }
  static WindowLayout& layout(frmMain& w) { return *w.layout_; }
  static SettingsMapping& settings(frmMain& w) { return *w.settings_; }
};
using Access = frmMainTestAccess;

}  // namespace cvx
