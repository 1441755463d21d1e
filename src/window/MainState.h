#pragma once

#include <string>

#include "core/OwnAction.h"
#include "settings/HistoryEntry.h"
#include "settings/StoredSettings.h"

namespace cvx {

// What the command line and the first start-up steps fixed; handlers only read it.
struct StartOptions {
  std::string CmdLineTree;
  std::string TreeName;
  std::string DBPath;
  bool DBPathByDefault = false;  // DBPath is the default folder, not "/dbpath="
  std::string DBBuildContext;
  bool AutoClose = false;
  bool ShowHelp = false;
  bool ExtendedActionsAvailable = false;
};

// The action the action button performs: a catalogue code or the name of one of OwnActions, the
// administrator's own actions read at start-up.
struct ActionChoice {
  std::string DefaultAction = "RC";
  OwnActionList OwnActions;
};

// Where target searches start.
struct SearchStart {
  std::string CurrentContext;
  std::string SearchAnchor;
  bool SearchAnchorActive = false;
};

// Which picker holds the target the action button acts on; none until one is used.
enum class PickSource { kNone, kTree, kHistory, kResults };

struct TargetPick {
  std::string TargetName;
  std::string TargetClass;
  PickSource pickedBy = PickSource::kNone;
};

// The pages in front, and the splits of page 1 in twips.
struct PageState {
  short ActiveTab = 1;
  short ActiveSettingsTab = 1;
  // A splitter's drag bar is being dragged (one flag for both splitters).
  bool SplitterMoving = false;
  double splitV = 0;
  double splitH = 0;
};

// Settings as read at start-up. Only a window whose settings were read may write them back:
// written after an incomplete start, the defaults would overwrite what was stored.
struct LoadedSettingsState {
  bool SettingsLoaded = false;
  StoredSettings LoadedSettings;
  // A stored server the server box could not take (that server was down): kept for the next run.
  std::string UntakenZWServer;
  // What start-up said about a settings store that cannot be used; not said again at close.
  std::string SettingsStoreWarning;
};

// The state of the main window, live for the whole run, in parts that each handler takes only
// as far as it needs them.
struct MainState {
  StartOptions start;
  ActionChoice actions;
  SearchStart search;
  TargetPick target;
  PageState pages;
  HistoryItems History;  // the history box's entries, in the order added
  LoadedSettingsState settings;
};

}  // namespace cvx
