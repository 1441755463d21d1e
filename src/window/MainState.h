#pragma once

#include <optional>
#include <string>

#include "core/OwnAction.h"
#include "settings/HistoryEntry.h"
#include "settings/StoredSettings.h"

namespace cvx {

// The state the main window shares between its handlers, live for the whole run.
struct MainState {
  // Command line and start-up.
  std::string CmdLineTree;
  std::string TreeName;
  std::string DBPath;
  bool DBPathByDefault = false;  // DBPath is the default folder, not "/dbpath="
  std::string DBBuildContext;
  bool AutoClose = false;
  bool ShowHelp = false;
  bool ExtendedActionsAvailable = false;

  // Actions. DefaultAction holds a catalogue code or the name of one of OwnActions, the
  // administrator's own actions read at start-up.
  std::string DefaultAction = "RC";
  std::string SavedAction;
  OwnActionList OwnActions;

  // Pages: the index of the page and settings page in front.
  short ActiveTab = 1;
  short ActiveSettingsTab = 1;
  // A splitter's drag bar is being dragged (one flag for both splitters).
  bool SplitterMoving = false;

  // Browsing and searching.
  std::string CurrentContext;
  std::string SearchAnchor;
  bool SearchAnchorActive = false;

  // The target acted on, and which picker holds it. ResultPickActive starts out unset, which
  // counts as not picked.
  std::string TargetName;
  std::string TargetClass;
  bool TreePickActive = false;
  bool HistoryPickActive = false;
  std::optional<bool> ResultPickActive;

  // The history box's entries, in the order added.
  HistoryItems History;

  // Settings as read at start-up. Only a window whose settings were read may write them back:
  // written after an incomplete start, the defaults would overwrite what was stored.
  bool SettingsLoaded = false;
  StoredSettings LoadedSettings;
  // A stored server the server box could not take (that server was down): kept for the next run.
  std::string UntakenZWServer;
  // What start-up said about a settings store that cannot be used; not said again at close.
  std::string SettingsStoreWarning;
};

}  // namespace cvx
