#include "window/StoredCurrentContext.h"

namespace cvx {

// The settings store arrives with its own change; until then nothing is stored.
std::string ReadStoredCurrentContext(frmMain&, const std::string& defaultContext) {
  return defaultContext;
}

}  // namespace cvx
