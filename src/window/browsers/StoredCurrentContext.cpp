#include "window/browsers/StoredCurrentContext.h"

#include "settings/StoredSettingsIo.h"
#include "window/frmMain.h"

namespace cvx {

std::string ReadStoredCurrentContext(frmMain& w, const std::string& defaultContext) {
  return ReadCurrentContext(w.settings(), w.state().TreeName, defaultContext);
}

}  // namespace cvx
