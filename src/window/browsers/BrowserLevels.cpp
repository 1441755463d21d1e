#include "window/browsers/BrowserLevels.h"

#include <QTreeWidget>

#include "directory/DirectoryControl.h"
#include "window/controls/HourglassCursor.h"
#include "window/controls/TreeNodes.h"

namespace cvx {

void FillTreeLevel(QTreeWidget& tree, const ImageListMy& images, const EntryList& entries,
                   const std::string& parentNodeKey) {
  const HourglassCursor wait;
  QTreeWidgetItem* parent = FindNode(tree, parentNodeKey);
  if (!parent) return;
  for (const TreeNodeData& node : TreeLevelOf(entries)) AddNode(tree, images, parent, node);
}

int BuildFromRoot(QTreeWidget& tree, const ImageListMy& images, DirectoryControl* control,
                  const StatusLine& status) {
  if (!control) return kDirClientMissing;
  const HourglassCursor wait;
  control->SetContextPath(control->JoinTreePath(control->TreeNameOf(control->ContextPath()), ""));
  ClearNodes(tree);
  const auto root = control->ContextEntry();
  if (!root) return root.error();
  TreeNodeData rootData = NodeDataOf(*root.value());
  rootData.HasChildren = false;  // its level is read right here
  QTreeWidgetItem* rootNode = AddNode(tree, images, nullptr, rootData);
  if (!rootNode) return kDirLost;
  const auto below = control->ContextEntries();
  if (!below) return below.error();
  FillTreeLevel(tree, images, *below, rootData.Key);
  tree.setCurrentItem(rootNode);
  status.ShowContext(NodeTag(rootNode));
  rootNode->setExpanded(true);
  return kDirOk;
}

bool ExpandNode(QTreeWidget& tree, const ImageListMy& images, QTreeWidgetItem* node,
                const DirectoryControl* control, int lookUps) {
  if (!node || !control || !IsPlaceholder(node->child(0))) return true;
  const HourglassCursor wait;
  auto entry = control->FindEntry(NodeTag(node));
  for (int again = 1; again < lookUps && entry.error() == kDirLost; ++again) {
    entry = control->FindEntry(NodeTag(node));
  }
  if (!entry) return false;
  delete node->takeChild(0);
  const auto below = entry.value()->SubEntries();
  if (below && below->has_value()) FillTreeLevel(tree, images, **below, NodeKey(node));
  return true;
}

}  // namespace cvx
