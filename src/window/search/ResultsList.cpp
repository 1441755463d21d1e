#include "window/search/ResultsList.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidget>

#include "window/attributes/AttributeDisplay.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/controls/KeyboardContextMenu.h"
#include "window/launch/RemoteActionRun.h"
#include "window/controls/StatusPanels.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

const char kUpdateDatabase[] =
    "Unable to perform Remote Actions - please update the Workstation Database!";

QTreeWidgetItem* Selected(frmMain& w) {
  return w.ui().lstMultiple->currentItem();
}

// The list holds the current target; the other pickers do not.
void PickEntry(frmMain& w) {
  MainState& s = w.state();
  s.ResultPickActive = true;
  s.TreePickActive = false;
  s.HistoryPickActive = false;
}

void ShowPick(frmMain& w) {
  const QTreeWidgetItem* entry = Selected(w);
  if (!entry) return;
  MainWindowControls& ui = w.ui();
  getNDSinfo(w, ResultKey(entry));
  ui.ImageCombo1->setEditText(entry->text(0));
  ui.Command1->setEnabled(true);
  ShowDefaultActionCaption(w);
}

// The object's class as the directory reports it; the list's icon is "User" for every hit of a
// search, so it would record a workstation hit as a user.
std::string ClassOf(frmMain& w, const std::string& key, const std::string& icon) {
  const auto entry = w.dir().NWDirWSAddress->FindEntry(key);
  return entry ? (*entry)->Layout().Name : icon;
}

void EntryClicked(frmMain& w) {
  if (!Selected(w)) return;
  PickEntry(w);
  if (IsNotInDatabaseNote(Selected(w))) {
    SetStatusPanelText(w.ui(), 2, QString::fromUtf8(kUpdateDatabase));
  } else {
    ShowPick(w);
  }
}

void ListClicked(frmMain& w) {
  const QTreeWidgetItem* entry = Selected(w);
  if (!entry || ResultKey(entry).empty()) return;
  ShowPick(w);
  PickEntry(w);
}

class ResultsListEvents : public QObject {
 public:
  explicit ResultsListEvents(frmMain& w) : QObject(&w), w_(w) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    QTreeWidget& list = *w_.ui().lstMultiple;
    if (event->type() == QEvent::KeyPress && watched == &list) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->text().isEmpty() || list.topLevelItemCount() == 0 || !Selected(w_)) return false;
      PickEntry(w_);
      ShowPick(w_);
      const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (enter && !IsNotInDatabaseNote(Selected(w_))) ResultsListDoubleClick(w_);
      return enter;
    }
    if (event->type() == QEvent::MouseButtonPress && watched == list.viewport()) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool right = mouse->button() == Qt::RightButton;
      return lstMultiple_MouseDown(w_, right,
                                   right ? list.itemAt(mouse->position().toPoint()) : nullptr,
                                   mouse->globalPosition().toPoint());
    }
    return false;
  }

 private:
  frmMain& w_;
};

}  // namespace

std::string ResultKey(const QTreeWidgetItem* entry) {
  return entry ? entry->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

std::string ResultIcon(const QTreeWidgetItem* entry) {
  return entry ? entry->data(0, Qt::UserRole + 1).toString().toStdString() : std::string();
}

LoginOrigin ResultLogin(const QTreeWidgetItem* entry) {
  if (!entry) return {};
  return {entry->data(0, kResultLoginUserRole).toString().toStdString(),
          entry->data(0, kResultLoginAddressRole).toString().toStdString()};
}

std::string ResultClass(frmMain& w, const QTreeWidgetItem* entry) {
  return ClassOf(w, ResultKey(entry), ResultIcon(entry));
}

bool IsNotInDatabaseNote(const QTreeWidgetItem* entry) {
  return entry && entry->text(0).contains(QStringLiteral("Workstation not in database"),
                                          Qt::CaseInsensitive);
}

void ResultsListDoubleClick(frmMain& w) {
  const QTreeWidgetItem* entry = Selected(w);
  if (!entry) return;
  PickEntry(w);
  if (IsNotInDatabaseNote(entry)) {
    SetStatusPanelText(w.ui(), 2, QString::fromUtf8(kUpdateDatabase));
    return;
  }
  const std::string key = ResultKey(entry);
  MainState& s = w.state();
  s.TargetName = key;
  s.TargetClass = ClassOf(w, key, ResultIcon(entry));
  RunRemoteAction(w, key, ResultLogin(entry));
}

bool lstMultiple_MouseDown(frmMain& w, bool rightButton, QTreeWidgetItem* entry,
                           const QPoint& globalPos) {
  QTreeWidget& list = *w.ui().lstMultiple;
  list.setFocus();
  SetStatusPanelText(w.ui(), 2, QString());
  if (!rightButton || list.topLevelItemCount() == 0) return false;
  if (entry) list.setCurrentItem(entry);
  if (!Selected(w)) return true;
  PickEntry(w);
  w.ui().menus.mnuMain->popup(globalPos);
  return true;
}

void ConnectResultsList(frmMain& w) {
  QTreeWidget& list = *w.ui().lstMultiple;
  auto* events = new ResultsListEvents(w);
  list.installEventFilter(events);
  list.viewport()->installEventFilter(events);
  InstallKeyboardContextMenu(list, [&w](QTreeWidgetItem* entry, const QPoint& globalPos) {
    lstMultiple_MouseDown(w, true, entry, globalPos);
  });
  QObject::connect(&list, &QTreeWidget::itemClicked, &w, [&w] {
    EntryClicked(w);
    ListClicked(w);
  });
  QObject::connect(&list, &QTreeWidget::itemDoubleClicked, &w, [&w] { ResultsListDoubleClick(w); });
}

}  // namespace cvx
