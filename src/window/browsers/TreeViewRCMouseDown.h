#pragma once

#include <Qt>

class QPoint;
class QTreeWidgetItem;

namespace cvx {

class frmMain;

// A mouse button pressed over the remote-control browser at pos (the browser's viewport
// coordinates); menus open at globalPos. Any button clears the selection and status panel 2
// first. The right button then opens the action menu on a user or workstation (picking it) and
// the container menu on any other node. True when the press was the right button's, which the
// browser itself must not see; other presses go on to the browser's own click handling.
bool TreeViewRC_MouseDown(frmMain& w, Qt::MouseButton button, const QPoint& pos,
                          const QPoint& globalPos);

// The right button's part of that on node (the one under the mouse, or the selected one when the
// keyboard asks for the menu; null for none), the menu opening at globalPos.
void TreeViewRC_ContextMenu(frmMain& w, QTreeWidgetItem* node, const QPoint& globalPos);

// Routes the browser's mouse presses to TreeViewRC_MouseDown before the browser handles them, and
// its keyboard menu requests (Menu key, Shift+F10) to TreeViewRC_ContextMenu.
void InstallTreeViewRCMouseDown(frmMain& w);

}  // namespace cvx
