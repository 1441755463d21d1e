#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

// The nodes of one browser by key, so that a node is found without walking the tree. It lives
// with its tree view (a child object), and refuses a second node with a key it holds. Keys are
// full names, which the directory compares without regard to case, and so does the index.
class NodeKeyIndex : public QObject {
  Q_OBJECT

 public:
  // The index of this tree view, made on first use.
  static NodeKeyIndex& Of(QTreeWidget& tree);

  // False, and nothing recorded, when the key is taken.
  bool Add(const QString& key, QTreeWidgetItem* item);
  QTreeWidgetItem* Find(const QString& key) const;
  void Remove(const QString& key);
  void Clear() { items_.clear(); }
  qsizetype Count() const { return items_.size(); }

 private:
  explicit NodeKeyIndex(QObject* parent) : QObject(parent) {}

  QHash<QString, QTreeWidgetItem*> items_;
};

}  // namespace cvx
