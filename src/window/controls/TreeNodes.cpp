#include "window/controls/TreeNodes.h"

#include <QColor>
#include <QFont>
#include <QTreeWidget>

#include "window/controls/ImageListMy.h"
#include "window/controls/NodeKeyIndex.h"

namespace cvx {

namespace {

enum NodeRole : int { kKeyRole = Qt::UserRole, kTagRole, kImageRole };

const QColor kAnchorColour(255, 224, 192);

std::string Role(const QTreeWidgetItem* node, int role) {
  return node ? node->data(0, role).toString().toStdString() : std::string();
}

void Unindex(NodeKeyIndex& index, QTreeWidgetItem* node) {
  if (!IsPlaceholder(node)) index.Remove(QString::fromStdString(NodeKey(node)));
  for (int i = 0; i < node->childCount(); ++i) Unindex(index, node->child(i));
}

}  // namespace

std::string NodeKey(const QTreeWidgetItem* node) {
  return Role(node, kKeyRole);
}

std::string NodeTag(const QTreeWidgetItem* node) {
  return Role(node, kTagRole);
}

std::string NodeImage(const QTreeWidgetItem* node) {
  return Role(node, kImageRole);
}

bool IsPlaceholder(const QTreeWidgetItem* node) {
  return node && node->text(0) == QLatin1String(kPlaceholderText);
}

QTreeWidgetItem* FindNode(QTreeWidget& tree, const std::string& key) {
  if (key.empty()) return nullptr;
  return NodeKeyIndex::Of(tree).Find(QString::fromStdString(key));
}

QTreeWidgetItem* AddNode(QTreeWidget& tree, const ImageListMy& images, QTreeWidgetItem* parent,
                         const TreeNodeData& data, int index) {
  auto* node = new QTreeWidgetItem();
  const QString key = QString::fromStdString(data.Key);
  if (!NodeKeyIndex::Of(tree).Add(key, node)) {
    delete node;
    return nullptr;
  }
  const QString image = QString::fromStdString(data.Image);
  node->setText(0, QString::fromStdString(data.Text));
  node->setIcon(0, images.Icon(image));
  node->setData(0, kKeyRole, key);
  node->setData(0, kTagRole, QString::fromStdString(data.Tag));
  node->setData(0, kImageRole, image);
  if (data.HasChildren) AddPlaceholder(*node, data.Key);

  const int count = parent ? parent->childCount() : tree.topLevelItemCount();
  const int at = index < 0 || index > count ? count : index;
  if (parent) {
    parent->insertChild(at, node);
  } else {
    tree.insertTopLevelItem(at, node);
  }
  return node;
}

void AddPlaceholder(QTreeWidgetItem& node, const std::string& fullName) {
  auto* placeholder = new QTreeWidgetItem(&node);
  placeholder->setText(0, QLatin1String(kPlaceholderText));
  placeholder->setData(0, kKeyRole, QString::fromStdString(PlaceholderKey(fullName)));
  placeholder->setData(0, kTagRole, QString::fromStdString(fullName));
}

void RemoveNode(QTreeWidget& tree, QTreeWidgetItem* node) {
  if (!node) return;
  Unindex(NodeKeyIndex::Of(tree), node);
  delete node;
}

void ClearNodes(QTreeWidget& tree) {
  NodeKeyIndex::Of(tree).Clear();
  tree.clear();
}

void SetAnchorMark(QTreeWidgetItem& node, bool marked) {
  QFont font = node.font(0);
  font.setBold(marked);
  node.setFont(0, font);
  // Unmarked, the node goes back to the view's own background.
  node.setData(0, Qt::BackgroundRole, marked ? QVariant(QBrush(kAnchorColour)) : QVariant());
}

bool HasAnchorMark(const QTreeWidgetItem& node) {
  return node.font(0).bold() &&
         node.data(0, Qt::BackgroundRole).value<QBrush>().color() == kAnchorColour;
}

}  // namespace cvx
