#include "window/database/SelectedWSContext.h"

#include <QTreeWidget>

#include "window/controls/MainWindowControls.h"
#include "window/controls/TreeNodes.h"

namespace cvx {

std::string SelectedWSContext(const MainWindowControls& ui) {
  // NodeTag gives nothing for no node: the build then does nothing.
  return ui.TreeViewWS ? NodeTag(ui.TreeViewWS->currentItem()) : std::string();
}

}  // namespace cvx
