#pragma once

#include <QObject>
#include <Qt>
#include <string>

#include "window/FeatureLinks.h"
#include "window/controls/StatusPanels.h"

class QAction;
class QLineEdit;
class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

class ImageListMy;
class PickDisplay;
class SettingsStore;
struct ActionChoice;
struct DirectoryControls;
struct SearchStart;
struct StartOptions;
struct TargetPick;

// The remote-control browser TreeViewRC: a container picked becomes the search context, a user
// or workstation the target; a double click or Enter runs the default action; the right button
// opens the action menu on a target and the container menu (refresh, search anchor) on a
// container.
class RemoteControlBrowser : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QTreeWidget* TreeViewRC = nullptr;
    QTreeWidget* lstMultiple = nullptr;
    QLineEdit* txtSearchAnchor = nullptr;
    QMenu* mnuMain = nullptr;
    QMenu* mnuTreeManipulate = nullptr;
    QAction* mnuRefreshTreeBranch = nullptr;
    QAction* mnuSearchAnchor = nullptr;
    StatusLine status;
  };
  struct Services {
    const ImageListMy& images;
    const DirectoryControls& dir;  // NWDirRCTree
    SettingsStore& settings;       // the stored current context
    const StartOptions& start;
  };
  RemoteControlBrowser(Controls controls, const PickDisplay& shown, TargetLinks links,
                       Services services, SearchStart& search, TargetPick& pick,
                       const ActionChoice& actions);

  // Rebuilds the browser from the tree root, then opens the stored current context. The error
  // number of the directory step that failed (the tree is left as far as it got), or 0.
  int BrowseStartRC();

  // Selects and opens the node with full name path, opening every level above it (a bare tree
  // root is only selected). Where a level no longer exists, the deepest one that does is left
  // selected and open. Returns the key of the node left selected; empty when not even the tree
  // root was found, and the selection is then unchanged.
  std::string treeExp(const std::string& path);

  // The browser's part of showing the stored search anchor at start-up: opens the browser down
  // to the anchor's container, shows the anchor in txtSearchAnchor, makes it active and marks
  // its node. Nothing when there is no anchor.
  void ShowSearchAnchorInTree();

  void TreeViewRC_Expand(QTreeWidgetItem* node);
  // A user or workstation picked becomes the target (reads that fail say so in panel 2 and the
  // handler goes on); a container becomes the search context.
  void TreeViewRC_NodeClick(QTreeWidgetItem* node);
  // A key pressed makes the browser the picker; Enter runs the double-click action. True when
  // the key was Enter (consumed).
  bool TreeViewRC_KeyPress(int key);
  void TreeViewRC_DblClick();
  // The right button opens the node's menu; any other press clears the selection and panel 2.
  // True when the browser must not see the press.
  bool TreeViewRC_MouseDown(Qt::MouseButton button, const QPoint& pos, const QPoint& globalPos);
  void TreeViewRC_ContextMenu(QTreeWidgetItem* node, const QPoint& globalPos);
  // "Refesh Container List" on the selected node: read anew and opened; the tree root rebuilds
  // the whole browser. The search anchor is marked again afterwards.
  void mnuRefreshTreeBranch_Click();
  // "Always start searching from within this container", after the entry toggled its check
  // mark: checked, the selected node becomes the search anchor; cleared, there is none.
  void mnuSearchAnchor_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PickTarget();
  void PickForActionMenu(const QTreeWidgetItem& node);
  void ClearSelectionAndStatus();
  void MarkSearchAnchor();

  Controls c_;
  const PickDisplay& shown_;
  TargetLinks links_;
  Services s_;
  SearchStart& search_;
  TargetPick& pick_;
  const ActionChoice& actions_;
};

}  // namespace cvx
