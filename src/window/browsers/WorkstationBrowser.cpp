#include "window/browsers/WorkstationBrowser.h"

#include <QTreeWidget>

#include "window/LostDirectory.h"
#include "window/browsers/BrowserLevels.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/TreeNodes.h"

namespace cvx {

WorkstationBrowser::WorkstationBrowser(QTreeWidget& TreeViewWS, StatusLine status,
                                       const ImageListMy& images, const DirectoryControls& dir)
    : tree_(TreeViewWS), status_(std::move(status)), images_(images), dir_(dir) {
  connect(&tree_, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* node) { TreeViewWS_Expand(node); });
  connect(&tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* node) { TreeViewWS_NodeClick(node); });
}

int WorkstationBrowser::BrowseStartWS() {
  return BuildFromRoot(tree_, images_, dir_.NWDirWS.get(), status_);
}

void WorkstationBrowser::TreeViewWS_Expand(QTreeWidgetItem* node) {
  // A container that cannot be read keeps its placeholder and closes again, so that opening it
  // later tries once more.
  if (!ExpandNode(tree_, images_, node, dir_.NWDirWS.get(), kWorkstationExpandLookUps)) {
    node->setExpanded(false);
  }
}

void WorkstationBrowser::TreeViewWS_NodeClick(QTreeWidgetItem* node) {
  if (!node || IsPlaceholder(node)) return;
  status_.ShowContext(NodeTag(node));
}

}  // namespace cvx
