#include "shell/Shutdown.h"

#include "shell/SettingsProcedures.h"
#include "window/frmMain.h"

namespace cvx {

void RunShutdown(frmMain& w) {
  const MainState& s = w.state();
  if (!s.DBBuildContext.empty() && s.AutoClose) return;
  SaveSettings(w);
  DirectoryControls& d = w.dir();
  d.NWDirRCTree.reset();
  d.NWDirUser.reset();
  d.NWDirWSdb.reset();
  d.NWDirWS.reset();
  d.NWDirWSAddress.reset();
}

}  // namespace cvx
