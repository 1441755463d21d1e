#include "window/browsers/TreeViewRCMouseDown.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidget>

#include "actions/ActionMenuChoice.h"
#include "core/UNCtoDOTConversion.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/controls/KeyboardContextMenu.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

// A user or workstation becomes the target of the action menu's entries.
void PickForActionMenu(frmMain& w, const QTreeWidgetItem& node) {
  MainWindowControls& ui = w.ui();
  MainState& s = w.state();
  ShowDefaultActionCaption(w);
  // A pick makes the button act on it, so its default can be changed again too.
  ui.Command1->setEnabled(true);
  s.ResultPickActive = false;
  s.TreePickActive = true;
  s.HistoryPickActive = false;
  const std::string key = NodeKey(&node);
  ui.ImageCombo1->setEditText(QString::fromStdString(DottedName(key)));
  const std::string parentKey = NodeKey(node.parent());
  if (parentKey.empty()) return;
  s.CurrentContext = parentKey;
  ShowContextStatus(ui, parentKey);
}

// The container menu's check mark tells whether this node is the search anchor.
void MarkAnchorEntry(frmMain& w, const QTreeWidgetItem& node) {
  const MainState& s = w.state();
  if (s.SearchAnchorActive)
    w.ui().menus.mnuSearchAnchor->setChecked(NodeKey(&node) == s.SearchAnchor);
}

// Every press starts from nothing picked in the browser and no status text.
void ClearSelectionAndStatus(frmMain& w) {
  QTreeWidget& tree = *w.ui().TreeViewRC;
  tree.setCurrentItem(nullptr);
  tree.clearSelection();
  SetStatusPanelText(w.ui(), 2, QString());
}

class MouseDownFilter : public QObject {
 public:
  explicit MouseDownFilter(frmMain& w) : QObject(&w), w_(w) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != w_.ui().TreeViewRC->viewport() || event->type() != QEvent::MouseButtonPress) {
      return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return TreeViewRC_MouseDown(w_, mouse->button(), mouse->position().toPoint(),
                                mouse->globalPosition().toPoint());
  }

 private:
  frmMain& w_;
};

}  // namespace

bool TreeViewRC_MouseDown(frmMain& w, Qt::MouseButton button, const QPoint& pos,
                          const QPoint& globalPos) {
  if (button == Qt::RightButton) {
    TreeViewRC_ContextMenu(w, w.ui().TreeViewRC->itemAt(pos), globalPos);
    return true;
  }
  ClearSelectionAndStatus(w);
  return false;
}

void TreeViewRC_ContextMenu(frmMain& w, QTreeWidgetItem* node, const QPoint& globalPos) {
  MainWindowControls& ui = w.ui();
  QTreeWidget& tree = *ui.TreeViewRC;
  ClearSelectionAndStatus(w);
  if (!node || IsPlaceholder(node)) return;
  tree.setCurrentItem(node);
  if (MenuForNodeImage(NodeImage(node)) == BrowserNodeMenu::kActionMenu) {
    PickForActionMenu(w, *node);
    ui.menus.mnuMain->popup(globalPos);
  } else {
    MarkAnchorEntry(w, *node);
    ui.menus.mnuTreeManipulate->popup(globalPos);
  }
}

void InstallTreeViewRCMouseDown(frmMain& w) {
  QTreeWidget& tree = *w.ui().TreeViewRC;
  tree.viewport()->installEventFilter(new MouseDownFilter(w));
  InstallKeyboardContextMenu(tree, [&w](QTreeWidgetItem* node, const QPoint& globalPos) {
    TreeViewRC_ContextMenu(w, node, globalPos);
  });
}

}  // namespace cvx
