#include "window/layout/SplitterPositions.h"

#include "window/layout/WindowGeometry.h"
#include "window/frmMain.h"

namespace cvx {

void SizeControlsV(frmMain& w, double x) {
  w.SetSplitV(x);
  SizeControlsV(w.ui(), w, x);
}

void SizeControlsH(frmMain& w, double y) {
  w.SetSplitH(y);
  SizeControlsH(w.ui(), y);
}

}  // namespace cvx
