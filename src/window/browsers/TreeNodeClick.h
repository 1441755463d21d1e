#pragma once

class QTreeWidgetItem;

namespace cvx {

class frmMain;

// A node of the workstation-database browser was picked: its context shows in panel 2.
void TreeViewWS_NodeClick(frmMain& w, QTreeWidgetItem* node);

// A node of the remote-control browser was picked: a container becomes the search context, a
// user or workstation the target. A directory lost meanwhile ends the program with its message.
void TreeViewRC_NodeClick(frmMain& w, QTreeWidgetItem* node);

// A key pressed in the remote-control browser makes it the picker of the target; Enter runs the
// double-click action. True when the key was Enter (consumed).
bool TreeViewRC_KeyPress(frmMain& w, int key);

// Routes the remote-control browser's key presses to TreeViewRC_KeyPress. A node reached with the
// keyboard is picked as a clicked one is.
void InstallTreeViewRCKeyPress(frmMain& w);

}  // namespace cvx
