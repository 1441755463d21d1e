#include "window/SelectedWSContext.h"

#include <QTreeWidget>

#include "window/MainWindowControls.h"
#include "window/TreeNodes.h"

namespace cvx {

std::string SelectedWSContext(const MainWindowControls& ui) {
  // NodeTag gives nothing for no node: the build then does nothing.
  return ui.TreeViewWS ? NodeTag(ui.TreeViewWS->currentItem()) : std::string();
}

}  // namespace cvx
