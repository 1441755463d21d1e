#include "window/browsers/TreeExpansion.h"

#include <QTreeWidget>

#include "core/TreeExpansionPath.h"
#include "window/controls/HourglassCursor.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

std::string treeExp(frmMain& w, const std::string& path) {
  const TreeExpansionPlan plan = PlanTreeExpansion(path);
  if (plan.keys.empty()) return {};
  QTreeWidget& tree = *w.ui().TreeViewRC;
  const HourglassCursor wait;
  QTreeWidgetItem* reached = nullptr;
  for (std::size_t i = 0; i < plan.keys.size(); ++i) {
    // Opening a level reads the next one synchronously, so the next key can be found right away.
    QTreeWidgetItem* node = FindNode(tree, plan.keys[i]);
    if (!node) break;
    reached = node;
    tree.setCurrentItem(node);
    if (plan.openLast || i + 1 < plan.keys.size()) node->setExpanded(true);
  }
  if (!reached) return {};
  tree.scrollToItem(reached);
  return NodeKey(reached);
}

}  // namespace cvx
