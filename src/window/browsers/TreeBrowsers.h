#pragma once

#include <string>

#include "directory/DirEntry.h"

class QTreeWidgetItem;

namespace cvx {

class frmMain;

// Adds the entries as children of the node with key parentNodeKey, in TreeViewWS respectively
// TreeViewRC, sorted by text; a container gets a placeholder child. Nothing without that node.
void FillTreeLevel(frmMain& w, const EntryList& entries, const std::string& parentNodeKey);
void RCFillTreeLevel(frmMain& w, const EntryList& entries, const std::string& parentNodeKey);

// Rebuild the workstation-database browser and the remote-control browser from the tree root.
// The remote-control browser then opens the stored current context. Each returns the error
// number of the directory step that failed (the tree is left as far as it got), or 0.
int BrowseStartWS(frmMain& w);
int BrowseStartRC(frmMain& w);

// Opening a node reads its level, once: only while its first child is the placeholder.
void TreeViewWS_Expand(frmMain& w, QTreeWidgetItem* node);
void TreeViewRC_Expand(frmMain& w, QTreeWidgetItem* node);

// Connects the browsers' events and their menu commands to their handlers (window construction).
void ConnectTreeBrowsers(frmMain& w);

}  // namespace cvx
