#pragma once

#include <QString>
#include <string>

#include "directory/TreeLevel.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

class ImageListMy;

// A browser node's properties: its text is column 0, the rest is kept in item data. Every node
// of TreeViewRC and TreeViewWS is made and removed through these functions, which keep the key
// index of the tree view in step.
std::string NodeKey(const QTreeWidgetItem* node);    // empty for no node
std::string NodeTag(const QTreeWidgetItem* node);    // the full name the node stands for
std::string NodeImage(const QTreeWidgetItem* node);  // class name; empty for a placeholder
bool IsPlaceholder(const QTreeWidgetItem* node);     // its text is "_dummy_"

// The node with this key (letter case aside), or null.
QTreeWidgetItem* FindNode(QTreeWidget& tree, const std::string& key);

// Adds a node below parent (null: a top-level node) at position index (-1: last), with a
// placeholder child when it has children. Null when the tree already holds its key.
QTreeWidgetItem* AddNode(QTreeWidget& tree, const ImageListMy& images, QTreeWidgetItem* parent,
                         const TreeNodeData& data, int index = -1);
// Adds the placeholder child of a node standing for fullName.
void AddPlaceholder(QTreeWidgetItem& node, const std::string& fullName);
// Removes a node with everything below it.
void RemoveNode(QTreeWidget& tree, QTreeWidgetItem* node);
// Removes every node.
void ClearNodes(QTreeWidget& tree);

// The search anchor's highlight: bold on the anchor colour, or plain on the window background.
void SetAnchorMark(QTreeWidgetItem& node, bool marked);
bool HasAnchorMark(const QTreeWidgetItem& node);

}  // namespace cvx
