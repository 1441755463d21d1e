#pragma once

#include "settings/StoreStatus.h"

class QMainWindow;

namespace cvx {

class Diagnostics;
class ImageListMy;
class Prompter;
class SettingsStore;
class WindowLayout;
struct MainState;
struct MainWindowControls;

// The window's controls and state to and from the tree's settings: the window's place and
// splits, the search and database options, the default action, the history and the attribute
// choices.
class SettingsMapping {
 public:
  struct Services {
    SettingsStore& store;
    Prompter& prompter;
    Diagnostics& diagnostics;
    const ImageListMy& images;
    WindowLayout& layout;
  };
  SettingsMapping(QMainWindow& window, MainWindowControls& ui, MainState& state, Services services);

  // Reads the tree's settings into the window (start-up, after the attribute pickers are
  // filled). A store that cannot be used is said once; the run goes on with the defaults.
  int LoadSettings();

  // Writes the window's settings back (shutdown) in one transaction; a failing write does not
  // stop the others. The result is the first failure, for the caller to say. Nothing is written
  // for a window whose settings were never read.
  StoreStatus SaveSettings();

 private:
  QMainWindow& window_;
  MainWindowControls& ui_;
  MainState& state_;
  Services s_;
};

}  // namespace cvx
