#include "window/browsers/TreeBrowsers.h"

#include <QAction>
#include <QTreeWidget>

#include "window/controls/HourglassCursor.h"
#include "window/controls/StatusPanels.h"
#include "window/browsers/StoredCurrentContext.h"
#include "window/browsers/TreeCommands.h"
#include "window/browsers/TreeExpansion.h"
#include "window/browsers/TreeNodeClick.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

void FillLevel(QTreeWidget& tree, const ImageListMy& images, const EntryList& entries,
               const std::string& parentNodeKey) {
  const HourglassCursor wait;
  QTreeWidgetItem* parent = FindNode(tree, parentNodeKey);
  if (!parent) return;
  for (const TreeNodeData& node : TreeLevelOf(entries)) AddNode(tree, images, parent, node);
}

// Steps shared by both browsers: the control back at its tree root, the root node and the level
// below it, the root selected and open.
int BuildFromRoot(frmMain& w, QTreeWidget& tree, DirectoryControl* control,
                  void (*fill)(frmMain&, const EntryList&, const std::string&)) {
  if (!control) return kDirClientMissing;
  const HourglassCursor wait;
  control->SetContextPath(control->JoinTreePath(control->TreeNameOf(control->ContextPath()), ""));
  ClearNodes(tree);
  const auto root = control->ContextEntry();
  if (!root) return root.error();
  TreeNodeData rootData = NodeDataOf(*root.value());
  rootData.HasChildren = false;  // its level is read right here
  QTreeWidgetItem* rootNode = AddNode(tree, w.images(), nullptr, rootData);
  if (!rootNode) return kDirLost;
  const auto below = control->ContextEntries();
  if (!below) return below.error();
  fill(w, *below, rootData.Key);
  tree.setCurrentItem(rootNode);
  ShowContextStatus(w.ui(), NodeTag(rootNode));
  rootNode->setExpanded(true);
  return kDirOk;
}

// The level below a node, read when the node is first opened; false when its object could not be
// looked up.
bool ExpandNode(frmMain& w, QTreeWidgetItem* node, const DirectoryControl* control,
                void (*fill)(frmMain&, const EntryList&, const std::string&), int lookUps) {
  if (!node || !control || !IsPlaceholder(node->child(0))) return true;
  const HourglassCursor wait;
  auto entry = control->FindEntry(NodeTag(node));
  for (int again = 1; again < lookUps && entry.error() == kDirLost; ++again) {
    entry = control->FindEntry(NodeTag(node));
  }
  if (!entry) return false;
  delete node->takeChild(0);
  const auto below = entry.value()->SubEntries();
  if (below && below->has_value()) fill(w, **below, NodeKey(node));
  return true;
}

}  // namespace

void FillTreeLevel(frmMain& w, const EntryList& entries, const std::string& parentNodeKey) {
  FillLevel(*w.ui().TreeViewWS, w.images(), entries, parentNodeKey);
}

void RCFillTreeLevel(frmMain& w, const EntryList& entries, const std::string& parentNodeKey) {
  FillLevel(*w.ui().TreeViewRC, w.images(), entries, parentNodeKey);
}

int BrowseStartWS(frmMain& w) {
  return BuildFromRoot(w, *w.ui().TreeViewWS, w.dir().NWDirWS.get(), &FillTreeLevel);
}

int BrowseStartRC(frmMain& w) {
  QTreeWidget& tree = *w.ui().TreeViewRC;
  DirectoryControl* control = w.dir().NWDirRCTree.get();
  if (int e = BuildFromRoot(w, tree, control, &RCFillTreeLevel)) return e;
  MainState& s = w.state();
  s.CurrentContext = ReadStoredCurrentContext(w, control->ContextPath());
  treeExp(w, s.CurrentContext);
  // A stored context that is gone from the directory gives way to the deepest level of it that
  // is still there, so that searches never start from a context that does not exist.
  if (QTreeWidgetItem* selected = tree.currentItem()) {
    s.CurrentContext = NodeKey(selected);
    ShowContextStatus(w.ui(), NodeTag(selected));
  }
  return kDirOk;
}

void TreeViewWS_Expand(frmMain& w, QTreeWidgetItem* node) {
  // A container that cannot be read keeps its placeholder and closes again, so that opening it
  // later tries once more.
  if (!ExpandNode(w, node, w.dir().NWDirWS.get(), &FillTreeLevel, 1)) node->setExpanded(false);
}

void TreeViewRC_Expand(frmMain& w, QTreeWidgetItem* node) {
  // A lost connection may come back at once, so that look-up is tried twice; a container that
  // still cannot be read is left without children.
  if (!ExpandNode(w, node, w.dir().NWDirRCTree.get(), &RCFillTreeLevel, 2)) {
    delete node->takeChild(0);
  }
}

void ConnectTreeBrowsers(frmMain& w) {
  MainWindowControls& ui = w.ui();
  QObject::connect(ui.TreeViewWS, &QTreeWidget::itemExpanded, &w,
                   [&w](QTreeWidgetItem* node) { TreeViewWS_Expand(w, node); });
  QObject::connect(ui.TreeViewRC, &QTreeWidget::itemExpanded, &w,
                   [&w](QTreeWidgetItem* node) { TreeViewRC_Expand(w, node); });
  QObject::connect(ui.TreeViewWS, &QTreeWidget::itemClicked, &w,
                   [&w](QTreeWidgetItem* node) { TreeViewWS_NodeClick(w, node); });
  QObject::connect(ui.TreeViewRC, &QTreeWidget::itemClicked, &w,
                   [&w](QTreeWidgetItem* node) { TreeViewRC_NodeClick(w, node); });
  InstallTreeViewRCKeyPress(w);
  QObject::connect(ui.menus.mnuRefreshTreeBranch, &QAction::triggered, &w,
                   [&w] { mnuRefreshTreeBranch_Click(w); });
  QObject::connect(ui.menus.mnuSearchAnchor, &QAction::triggered, &w,
                   [&w] { mnuSearchAnchor_Click(w); });
}

}  // namespace cvx
