#include "window/browsers/RemoteControlBrowser.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

#include "actions/ActionMenuChoice.h"
#include "core/ClassImages.h"
#include "core/TreeExpansionPath.h"
#include "core/UNCtoDOTConversion.h"
#include "settings/StoredSettingsIo.h"
#include "window/LostDirectory.h"
#include "window/MainState.h"
#include "window/browsers/BrowserLevels.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/HourglassCursor.h"
#include "window/controls/KeyboardContextMenu.h"
#include "window/controls/TreeNodes.h"
#include "window/search/PickDisplay.h"
#include "window/search/ResultsList.h"

namespace cvx {

namespace {

const char kNoAnchorText[] = "the current browser's context.";

void UnmarkNode(QTreeWidget& tree, const std::string& key) {
  if (QTreeWidgetItem* node = FindNode(tree, key)) SetAnchorMark(*node, false);
}

}  // namespace

RemoteControlBrowser::RemoteControlBrowser(Controls controls, const PickDisplay& shown,
                                           TargetLinks links, Services services,
                                           SearchStart& search, TargetPick& pick,
                                           const ActionChoice& actions)
    : c_(std::move(controls)),
      shown_(shown),
      links_(links),
      s_(services),
      search_(search),
      pick_(pick),
      actions_(actions) {
  QTreeWidget& tree = *c_.TreeViewRC;
  connect(&tree, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* node) { TreeViewRC_Expand(node); });
  connect(&tree, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* node) { TreeViewRC_NodeClick(node); });
  connect(&tree, &QTreeWidget::itemDoubleClicked, this, [this] { TreeViewRC_DblClick(); });
  tree.installEventFilter(this);
  tree.viewport()->installEventFilter(this);
  InstallKeyboardContextMenu(tree, *this, [this](QTreeWidgetItem* node, const QPoint& globalPos) {
    TreeViewRC_ContextMenu(node, globalPos);
  });
  connect(c_.mnuRefreshTreeBranch, &QAction::triggered, this,
          [this] { mnuRefreshTreeBranch_Click(); });
  connect(c_.mnuSearchAnchor, &QAction::triggered, this, [this] { mnuSearchAnchor_Click(); });
}

int RemoteControlBrowser::BrowseStartRC() {
  QTreeWidget& tree = *c_.TreeViewRC;
  DirectoryControl* control = s_.dir.NWDirRCTree.get();
  if (int e = BuildFromRoot(tree, s_.images, control, c_.status)) return e;
  search_.CurrentContext =
      ReadCurrentContext(s_.settings, s_.start.TreeName, control->ContextPath());
  treeExp(search_.CurrentContext);
  // A stored context that is gone from the directory gives way to the deepest level of it that
  // is still there, so that searches never start from a context that does not exist.
  if (QTreeWidgetItem* selected = tree.currentItem()) {
    search_.CurrentContext = NodeKey(selected);
    c_.status.ShowContext(NodeTag(selected));
  }
  return kDirOk;
}

std::string RemoteControlBrowser::treeExp(const std::string& path) {
  const TreeExpansionPlan plan = PlanTreeExpansion(path);
  if (plan.keys.empty()) return {};
  QTreeWidget& tree = *c_.TreeViewRC;
  const HourglassCursor wait;
  QTreeWidgetItem* reached = nullptr;
  for (std::size_t i = 0; i < plan.keys.size(); ++i) {
    // Opening a level reads the next one synchronously, so the next key can be found right away.
    QTreeWidgetItem* node = FindNode(tree, plan.keys[i]);
    if (!node) break;
    reached = node;
    tree.setCurrentItem(node);
    if (plan.openLast || i + 1 < plan.keys.size()) node->setExpanded(true);
  }
  if (!reached) return {};
  tree.scrollToItem(reached);
  return NodeKey(reached);
}

void RemoteControlBrowser::TreeViewRC_Expand(QTreeWidgetItem* node) {
  // A lost connection may come back at once, so that look-up is tried twice; a container that
  // still cannot be read is left without children.
  if (!ExpandNode(*c_.TreeViewRC, s_.images, node, s_.dir.NWDirRCTree.get(),
                  kRemoteControlExpandLookUps)) {
    delete node->takeChild(0);
  }
}

void RemoteControlBrowser::PickTarget() {
  pick_.pickedBy = PickSource::kTree;
}

void RemoteControlBrowser::TreeViewRC_NodeClick(QTreeWidgetItem* node) {
  if (!node) return;
  const std::string image = NodeImage(node);
  const std::string key = NodeKey(node);
  const std::string tag = NodeTag(node);

  if (IsContainerClass(image)) {
    search_.CurrentContext = tag;
    c_.status.ShowContext(key);
    EmptySearchResults(*c_.lstMultiple);
    links_.attributes.ClearAttributes();
    return;
  }
  if (image != "User" && image != "Workstation") return;

  const std::string parentKey = NodeKey(node->parent());
  shown_.ShowPicked();
  // Reads that fail say so in panel 2 and the handler goes on: a timed-out attribute or login
  // read is no reason to end the session.
  bool allRead = links_.attributes.ShowAttributes(key) == kDirOk;
  PickTarget();
  shown_.box().setEditText(QString::fromStdString(DottedName(key)));
  pick_.TargetName = key;
  pick_.TargetClass = image;
  if (image == "User") {
    allRead = links_.actions.CheckLogin(tag) == kDirOk && allRead;
  } else {
    EmptySearchResults(*c_.lstMultiple);
  }
  if (parentKey.empty()) return;
  search_.CurrentContext = parentKey;
  if (allRead) c_.status.ShowContext(parentKey);
}

bool RemoteControlBrowser::TreeViewRC_KeyPress(int key) {
  PickTarget();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  TreeViewRC_DblClick();
  return true;
}

void RemoteControlBrowser::TreeViewRC_DblClick() {
  PickTarget();
  const QTreeWidgetItem* node = c_.TreeViewRC->currentItem();
  if (!node) return;
  const std::string image = NodeImage(node);
  if (image == "User" || image == "Alias") {
    const HourglassCursor wait;
    pick_.TargetName = NodeKey(node);
    pick_.TargetClass = "User";  // an alias stands for its user
    c_.status.Set(QStringLiteral("Connecting ..."));
    links_.actions.RunRemoteAction(NodeTag(node), actions_.DefaultAction);
  } else if (image == "Workstation") {
    c_.status.Set(QStringLiteral("Connecting ..."));
    pick_.TargetName = NodeKey(node);
    pick_.TargetClass = "Workstation";
    links_.actions.BuildAndLaunch(pick_.TargetName, actions_.DefaultAction);
  }
}

// A user or workstation becomes the target of the action menu's entries.
void RemoteControlBrowser::PickForActionMenu(const QTreeWidgetItem& node) {
  // A pick makes the button act on it, so its default can be changed again too.
  PickTarget();
  shown_.ShowPicked(QString::fromStdString(DottedName(NodeKey(&node))));
  const std::string parentKey = NodeKey(node.parent());
  if (parentKey.empty()) return;
  search_.CurrentContext = parentKey;
  c_.status.ShowContext(parentKey);
}

// Every press starts from nothing picked in the browser and no status text.
void RemoteControlBrowser::ClearSelectionAndStatus() {
  QTreeWidget& tree = *c_.TreeViewRC;
  tree.setCurrentItem(nullptr);
  tree.clearSelection();
  c_.status.Clear();
}

bool RemoteControlBrowser::TreeViewRC_MouseDown(Qt::MouseButton button, const QPoint& pos,
                                                const QPoint& globalPos) {
  if (button == Qt::RightButton) {
    TreeViewRC_ContextMenu(c_.TreeViewRC->itemAt(pos), globalPos);
    return true;
  }
  ClearSelectionAndStatus();
  return false;
}

void RemoteControlBrowser::TreeViewRC_ContextMenu(QTreeWidgetItem* node, const QPoint& globalPos) {
  ClearSelectionAndStatus();
  if (!node || IsPlaceholder(node)) return;
  c_.TreeViewRC->setCurrentItem(node);
  if (MenuForNodeImage(NodeImage(node)) == BrowserNodeMenu::kActionMenu) {
    PickForActionMenu(*node);
    c_.mnuMain->popup(globalPos);
  } else {
    // The container menu's check mark tells whether this node is the search anchor.
    if (search_.SearchAnchorActive) {
      c_.mnuSearchAnchor->setChecked(NodeKey(node) == search_.SearchAnchor);
    }
    c_.mnuTreeManipulate->popup(globalPos);
  }
}

// Opens the browser down to the anchor's container, which ends selected (searches start from
// the anchor anyway), and marks the anchor.
void RemoteControlBrowser::MarkSearchAnchor() {
  const std::string& anchor = search_.SearchAnchor;
  if (anchor.empty()) return;
  treeExp(MarkedNodeParentPath(anchor));
  if (QTreeWidgetItem* node = FindNode(*c_.TreeViewRC, anchor)) SetAnchorMark(*node, true);
}

void RemoteControlBrowser::mnuRefreshTreeBranch_Click() {
  QTreeWidget& tree = *c_.TreeViewRC;
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
    BrowseStartRC();
  } else {
    AddNode(tree, s_.images, parent, data, position);
    treeExp(data.Key);
  }
  MarkSearchAnchor();
}

void RemoteControlBrowser::mnuSearchAnchor_Click() {
  QTreeWidget& tree = *c_.TreeViewRC;
  QAction* entry = c_.mnuSearchAnchor;
  QTreeWidgetItem* node = tree.currentItem();
  if (!node || IsPlaceholder(node)) {
    // Nothing to anchor: the mark goes back to what it said.
    entry->setChecked(!entry->isChecked());
    return;
  }
  const std::string key = NodeKey(node);
  if (entry->isChecked()) {
    c_.status.Set(QStringLiteral(" Searching always from: ") + QString::fromStdString(key));
    if (!search_.SearchAnchor.empty()) UnmarkNode(tree, search_.SearchAnchor);
    search_.SearchAnchor = key;
    c_.txtSearchAnchor->setText(QString::fromStdString(key));
    SetAnchorMark(*node, true);
    search_.SearchAnchorActive = true;
  } else {
    c_.status.Clear();
    search_.SearchAnchorActive = false;
    // The old anchor loses its mark even if the menu was opened on another node.
    UnmarkNode(tree, search_.SearchAnchor);
    search_.SearchAnchor.clear();
    SetAnchorMark(*node, false);
    c_.txtSearchAnchor->setText(QString::fromLatin1(kNoAnchorText));
  }
}

void RemoteControlBrowser::ShowSearchAnchorInTree() {
  if (search_.SearchAnchor.empty()) return;
  MarkSearchAnchor();
  c_.txtSearchAnchor->setText(QString::fromStdString(search_.SearchAnchor));
  search_.SearchAnchorActive = true;
}

bool RemoteControlBrowser::eventFilter(QObject* watched, QEvent* event) {
  QTreeWidget& tree = *c_.TreeViewRC;
  if (watched == tree.viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return TreeViewRC_MouseDown(mouse->button(), mouse->position().toPoint(),
                                mouse->globalPosition().toPoint());
  }
  // Lets the browser handle a key first, so that a node reached with the arrow keys can be
  // picked.
  if (watched != &tree || event->type() != QEvent::KeyPress) return false;
  const auto* press = static_cast<QKeyEvent*>(event);
  const int key = press->key();
  // Leaving the browser with Tab picks nothing.
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
  // Only a key that types a character makes the browser the picker: arrowing onto a container
  // leaves a pending history or results pick for the action button.
  if (!press->text().isEmpty() && TreeViewRC_KeyPress(key)) return true;
  QTreeWidgetItem* before = tree.currentItem();
  // QObject::event is public; the view's own handling runs here, without the filters again.
  static_cast<QObject&>(tree).event(event);
  if (tree.currentItem() != before) TreeViewRC_NodeClick(tree.currentItem());
  return event->isAccepted();
}

}  // namespace cvx
