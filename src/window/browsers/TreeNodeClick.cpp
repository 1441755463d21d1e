#include "window/browsers/TreeNodeClick.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QToolButton>
#include <QTreeWidget>

#include "core/UNCtoDOTConversion.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/launch/CheckLogin.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/search/SearchResultsReset.h"
#include "window/controls/StatusPanels.h"
#include "window/browsers/TreeDoubleClickAction.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

bool IsContainerImage(const std::string& image) {
  return image == "Country" || image == "Organizational Unit" || image == "Organization" ||
         image == "Top";
}

// Lets the browser handle a key first, so that a node reached with the arrow keys can be picked.
class KeyPressFilter : public QObject {
 public:
  KeyPressFilter(frmMain& w, QTreeWidget& tree) : QObject(&w), w_(w), tree_(tree) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &tree_ || event->type() != QEvent::KeyPress) return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = press->key();
    // Leaving the browser with Tab picks nothing.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
    // Only a key that types a character makes the browser the picker: arrowing onto a container
    // leaves a pending history or results pick for the action button.
    if (!press->text().isEmpty() && TreeViewRC_KeyPress(w_, key)) return true;
    QTreeWidgetItem* before = tree_.currentItem();
    // QObject::event is public; the view's own handling runs here, without the filters again.
    static_cast<QObject&>(tree_).event(event);
    if (tree_.currentItem() != before) TreeViewRC_NodeClick(w_, tree_.currentItem());
    return event->isAccepted();
  }

 private:
  frmMain& w_;
  QTreeWidget& tree_;
};

}  // namespace

void TreeViewWS_NodeClick(frmMain& w, QTreeWidgetItem* node) {
  if (!node || IsPlaceholder(node)) return;
  ShowContextStatus(w.ui(), NodeTag(node));
}

void TreeViewRC_NodeClick(frmMain& w, QTreeWidgetItem* node) {
  if (!node) return;
  MainWindowControls& ui = w.ui();
  MainState& s = w.state();
  const std::string image = NodeImage(node);
  const std::string key = NodeKey(node);
  const std::string tag = NodeTag(node);

  if (IsContainerImage(image)) {
    s.CurrentContext = tag;
    ShowContextStatus(w.ui(), key);
    EmptySearchResults(w);
    ui.lvwNDSinfo->clear();
    return;
  }
  if (image != "User" && image != "Workstation") return;

  const std::string parentKey = NodeKey(node->parent());
  ui.Command1->setEnabled(true);
  ShowDefaultActionCaption(w);
  // Reads that fail say so in panel 2 and the handler goes on: a timed-out attribute or login
  // read is no reason to end the session.
  bool allRead = getNDSinfo(w, key) == kDirOk;
  s.HistoryPickActive = false;
  s.ResultPickActive = false;
  s.TreePickActive = true;
  ui.ImageCombo1->setEditText(QString::fromStdString(DottedName(key)));
  s.TargetName = key;
  s.TargetClass = image;
  if (image == "User") {
    allRead = checkLogin(w, tag) == kDirOk && allRead;
  } else {
    EmptySearchResults(w);
  }
  if (parentKey.empty()) return;
  s.CurrentContext = parentKey;
  if (allRead) ShowContextStatus(w.ui(), parentKey);
}

bool TreeViewRC_KeyPress(frmMain& w, int key) {
  MainState& s = w.state();
  s.TreePickActive = true;
  s.HistoryPickActive = false;
  s.ResultPickActive = false;
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  RunTreeDoubleClickAction(w);
  return true;
}

void InstallTreeViewRCKeyPress(frmMain& w) {
  QTreeWidget& tree = *w.ui().TreeViewRC;
  tree.installEventFilter(new KeyPressFilter(w, tree));
}

}  // namespace cvx
