#include "shell/Shutdown.h"

#include <iostream>

#include "shell/SettingsProcedures.h"
#include "window/controls/Prompter.h"
#include "window/frmMain.h"

namespace cvx {

void RunShutdown(frmMain& w) {
  const MainState& s = w.state();
  if (!s.DBBuildContext.empty() && s.AutoClose) return;
  // Settings lost without a word would surprise the administrator at the next start.
  const StoreStatus saved = SaveSettings(w);
  if (!saved.ok && saved.message != s.SettingsStoreWarning) {
    std::cerr << "cvx: the settings were not saved: " << saved.message << "\n";
    w.prompter().ShowMessage(
        QStringLiteral("The settings were not saved:\r\n") + QString::fromStdString(saved.message),
        QStringLiteral("Warning!"), MessageIcon::kCritical);
  }
  DirectoryControls& d = w.dir();
  d.NWDirRCTree.reset();
  d.NWDirUser.reset();
  d.NWDirWSdb.reset();
  d.NWDirWS.reset();
  d.NWDirWSAddress.reset();
}

}  // namespace cvx
