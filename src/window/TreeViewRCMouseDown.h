#pragma once

#include <Qt>

class QPoint;

namespace cvx {

class frmMain;

// A mouse button pressed over the remote-control browser at pos (the browser's viewport
// coordinates); menus open at globalPos. Any button clears the selection and status panel 2
// first. The right button then opens the action menu on a user or workstation (picking it) and
// the container menu on any other node. True when the press was the right button's, which the
// browser itself must not see; other presses go on to the browser's own click handling.
bool TreeViewRC_MouseDown(frmMain& w, Qt::MouseButton button, const QPoint& pos,
                          const QPoint& globalPos);

// Routes the browser's mouse presses to TreeViewRC_MouseDown before the browser handles them.
void InstallTreeViewRCMouseDown(frmMain& w);

}  // namespace cvx
