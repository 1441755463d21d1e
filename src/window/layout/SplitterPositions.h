#pragma once

namespace cvx {

class frmMain;

// The splits of the main window, in twips relative to page 1. Each places the split as the
// layout's SizeControlsV or SizeControlsH does and keeps the position, so that every later
// re-layout (a resize, a restore from the minimized state) puts the split back there. Start-up
// passes the stored positions; the splitter drags pass where the bar was let go. Neither clamps.
void SizeControlsV(frmMain& w, double x);
void SizeControlsH(frmMain& w, double y);

}  // namespace cvx
