#include "window/AttributeDisplay.h"

#include "window/frmMain.h"

namespace cvx {

// The attribute pickers are filled by their own change; start-up already calls this in its place.
int BuildNDSLayoutList(frmMain&) {
  return 0;
}

}  // namespace cvx
