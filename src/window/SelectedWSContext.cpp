#include "window/SelectedWSContext.h"

#include <QTreeWidget>

#include "window/MainWindowControls.h"

namespace cvx {

std::string SelectedWSContext(const MainWindowControls& ui) {
  const QTreeWidgetItem* item = ui.TreeViewWS ? ui.TreeViewWS->currentItem() : nullptr;
  return item ? item->data(0, Qt::UserRole + 1).toString().toStdString() : std::string();
}

}  // namespace cvx
