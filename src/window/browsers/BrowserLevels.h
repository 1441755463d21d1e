#pragma once

#include <string>

#include "directory/DirEntry.h"
#include "window/controls/StatusPanels.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

class DirectoryControl;
class ImageListMy;

// What both directory browsers do with their levels.

// Adds the entries as children of the node with key parentNodeKey, sorted by text; a container
// gets a placeholder child. Nothing without that node.
void FillTreeLevel(QTreeWidget& tree, const ImageListMy& images, const EntryList& entries,
                   const std::string& parentNodeKey);

// The control back at its tree root, the root node and the level below it, the root selected
// and open. The error number of the directory step that failed (the tree is left as far as it
// got), or 0.
int BuildFromRoot(QTreeWidget& tree, const ImageListMy& images, DirectoryControl* control,
                  const StatusLine& status);

// The level below a node, read when the node is first opened (only while its first child is
// the placeholder); false when its object could not be looked up in lookUps tries.
bool ExpandNode(QTreeWidget& tree, const ImageListMy& images, QTreeWidgetItem* node,
                const DirectoryControl* control, int lookUps);

}  // namespace cvx
