#include "window/TreeBrowsers.h"

#include "window/frmMain.h"

namespace cvx {

// The browsers are filled by their own change; start-up already calls them in their place.
int BrowseStartWS(frmMain&) {
  return 0;
}

int BrowseStartRC(frmMain&) {
  return 0;
}

}  // namespace cvx
