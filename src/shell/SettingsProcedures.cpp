#include "shell/SettingsProcedures.h"

#include "window/TreeCommands.h"
#include "window/frmMain.h"

namespace cvx {

// The per-user settings store arrives with its own change; until then a start uses the defaults
// and nothing is written.
int LoadSettings(frmMain&) {
  return 0;
}

void SaveSettings(frmMain&) {}

int ShowSearchAnchor(frmMain& w) {
  ShowSearchAnchorInTree(w);
  return 0;
}

}  // namespace cvx
