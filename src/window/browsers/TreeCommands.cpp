#include "window/browsers/TreeCommands.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeWidget>

#include "core/TreeExpansionPath.h"
#include "window/controls/HourglassCursor.h"
#include "window/controls/StatusPanels.h"
#include "window/browsers/TreeBrowsers.h"
#include "window/browsers/TreeExpansion.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

const char kNoAnchorText[] = "the current browser's context.";

// Opens the browser down to the anchor's container, which ends selected (searches start from
// the anchor anyway), and marks the anchor.
void MarkSearchAnchor(frmMain& w) {
  const std::string& anchor = w.state().SearchAnchor;
  if (anchor.empty()) return;
  treeExp(w, MarkedNodeParentPath(anchor));
  if (QTreeWidgetItem* node = FindNode(*w.ui().TreeViewRC, anchor)) SetAnchorMark(*node, true);
}

void UnmarkNode(QTreeWidget& tree, const std::string& key) {
  if (QTreeWidgetItem* node = FindNode(tree, key)) SetAnchorMark(*node, false);
}

}  // namespace

void mnuRefreshTreeBranch_Click(frmMain& w) {
  QTreeWidget& tree = *w.ui().TreeViewRC;
  QTreeWidgetItem* node = tree.currentItem();
  if (!node || IsPlaceholder(node)) return;
  QTreeWidgetItem* parent = node->parent();
  TreeNodeData data;
  data.Key = NodeKey(node);
  data.Text = node->text(0).toStdString();
  data.Image = NodeImage(node);
  data.Tag = data.Key;
  data.HasChildren = true;
  const bool root = data.Image == "Top";
  if (!root && !parent) return;

  const HourglassCursor wait;
  // The node goes back where it was among its siblings, which are sorted already.
  const int position = parent ? parent->indexOfChild(node) : 0;
  RemoveNode(tree, node);
  if (root) {
    BrowseStartRC(w);
  } else {
    AddNode(tree, w.images(), parent, data, position);
    treeExp(w, data.Key);
  }
  MarkSearchAnchor(w);
}

void mnuSearchAnchor_Click(frmMain& w) {
  MainWindowControls& ui = w.ui();
  MainState& s = w.state();
  QTreeWidget& tree = *ui.TreeViewRC;
  QAction* entry = ui.menus.mnuSearchAnchor;
  QTreeWidgetItem* node = tree.currentItem();
  if (!node || IsPlaceholder(node)) {
    // Nothing to anchor: the mark goes back to what it said.
    entry->setChecked(!entry->isChecked());
    return;
  }
  const std::string key = NodeKey(node);
  if (entry->isChecked()) {
    SetStatusPanelText(ui, 2,
                       QStringLiteral(" Searching always from: ") + QString::fromStdString(key));
    if (!s.SearchAnchor.empty()) UnmarkNode(tree, s.SearchAnchor);
    s.SearchAnchor = key;
    ui.txtSearchAnchor->setText(QString::fromStdString(key));
    SetAnchorMark(*node, true);
    s.SearchAnchorActive = true;
  } else {
    SetStatusPanelText(ui, 2, QString());
    s.SearchAnchorActive = false;
    // The old anchor loses its mark even if the menu was opened on another node.
    UnmarkNode(tree, s.SearchAnchor);
    s.SearchAnchor.clear();
    SetAnchorMark(*node, false);
    ui.txtSearchAnchor->setText(QString::fromLatin1(kNoAnchorText));
  }
}

void ShowSearchAnchorInTree(frmMain& w) {
  MainState& s = w.state();
  if (s.SearchAnchor.empty()) return;
  MarkSearchAnchor(w);
  w.ui().txtSearchAnchor->setText(QString::fromStdString(s.SearchAnchor));
  s.SearchAnchorActive = true;
}

}  // namespace cvx
