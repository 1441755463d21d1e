#include "window/controls/NodeKeyIndex.h"

#include <QTreeWidget>

namespace cvx {

namespace {
QString Folded(const QString& key) {
  return key.toCaseFolded();
}
}  // namespace

NodeKeyIndex& NodeKeyIndex::Of(QTreeWidget& tree) {
  auto* index = tree.findChild<NodeKeyIndex*>(QString(), Qt::FindDirectChildrenOnly);
  if (!index) index = new NodeKeyIndex(&tree);
  return *index;
}

bool NodeKeyIndex::Add(const QString& key, QTreeWidgetItem* item) {
  const QString folded = Folded(key);
  if (items_.contains(folded)) return false;
  items_.insert(folded, item);
  return true;
}

QTreeWidgetItem* NodeKeyIndex::Find(const QString& key) const {
  return items_.value(Folded(key), nullptr);
}

void NodeKeyIndex::Remove(const QString& key) {
  items_.remove(Folded(key));
}

}  // namespace cvx
