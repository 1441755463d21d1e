#include "window/search/ResultsList.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

#include "target/ResultEntries.h"
#include "window/MainState.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/ImageListMy.h"
#include "window/controls/KeyboardContextMenu.h"
#include "window/search/PickDisplay.h"

namespace cvx {

namespace {

constexpr int kIconRole = Qt::UserRole + 1;
constexpr int kLoginUserRole = Qt::UserRole + 2;
constexpr int kLoginAddressRole = Qt::UserRole + 3;

const char kUpdateDatabase[] =
    "Unable to perform Remote Actions - please update the Workstation Database!";

}  // namespace

std::string ResultKey(const QTreeWidgetItem* entry) {
  return entry ? entry->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

std::string ResultIcon(const QTreeWidgetItem* entry) {
  return entry ? entry->data(0, kIconRole).toString().toStdString() : std::string();
}

LoginOrigin ResultLogin(const QTreeWidgetItem* entry) {
  if (!entry) return {};
  return {entry->data(0, kLoginUserRole).toString().toStdString(),
          entry->data(0, kLoginAddressRole).toString().toStdString()};
}

bool IsNotInDatabaseNote(const QTreeWidgetItem* entry) {
  return entry && entry->text(0).contains(QStringLiteral("Workstation not in database"),
                                          Qt::CaseInsensitive);
}

std::string ResultClass(const DirectoryControl* lookUp, const QTreeWidgetItem* entry) {
  // The list's icon is "User" for every hit of a search, so it would record a workstation hit as
  // a user.
  if (lookUp) {
    if (const auto found = lookUp->FindEntry(ResultKey(entry))) return (*found)->Layout().Name;
  }
  return ResultIcon(entry);
}

void ShowResultEntries(QTreeWidget& list, const ImageListMy& images, const ResultEntries& entries) {
  list.clear();
  for (const auto& e : entries.items()) {
    auto* item = new QTreeWidgetItem(&list, {QString::fromStdString(e.text)});
    item->setData(0, Qt::UserRole, QString::fromStdString(e.key));
    item->setData(0, kIconRole, QString::fromStdString(e.icon));
    item->setData(0, kLoginUserRole, QString::fromStdString(e.login.user));
    item->setData(0, kLoginAddressRole, QString::fromStdString(e.login.address));
    item->setIcon(0, images.Icon(QString::fromStdString(e.icon)));
  }
}

void EmptySearchResults(QTreeWidget& list) {
  list.clear();
  list.headerItem()->setText(0, QStringLiteral("Search Results"));
}

ResultsList::ResultsList(Controls controls, const PickDisplay& shown, TargetLinks links,
                         const DirectoryControls& dir, const ActionChoice& actions,
                         TargetPick& pick)
    : c_(std::move(controls)),
      shown_(shown),
      links_(links),
      dir_(dir),
      actions_(actions),
      pick_(pick) {
  QTreeWidget& list = *c_.lstMultiple;
  list.installEventFilter(this);
  list.viewport()->installEventFilter(this);
  InstallKeyboardContextMenu(list, *this, [this](QTreeWidgetItem* entry, const QPoint& globalPos) {
    lstMultiple_MouseDown(true, entry, globalPos);
  });
  connect(&list, &QTreeWidget::itemClicked, this, [this] { lstMultiple_Click(); });
  connect(&list, &QTreeWidget::itemDoubleClicked, this, [this] { ResultsListDoubleClick(); });
}

QTreeWidgetItem* ResultsList::Selected() const {
  return c_.lstMultiple->currentItem();
}

// The list holds the current target; the other pickers do not.
void ResultsList::PickEntry() {
  pick_.pickedBy = PickSource::kResults;
}

void ResultsList::ShowPick() {
  const QTreeWidgetItem* entry = Selected();
  if (!entry) return;
  links_.attributes.ShowAttributes(ResultKey(entry));
  shown_.ShowPicked(entry->text(0));
}

void ResultsList::lstMultiple_Click() {
  const QTreeWidgetItem* entry = Selected();
  if (!entry) return;
  PickEntry();
  if (IsNotInDatabaseNote(entry)) {
    c_.status.Set(QString::fromUtf8(kUpdateDatabase));
    // A note that names its workstation still shows it.
    if (!ResultKey(entry).empty()) ShowPick();
    return;
  }
  ShowPick();
}

void ResultsList::ResultsListDoubleClick() {
  const QTreeWidgetItem* entry = Selected();
  if (!entry) return;
  PickEntry();
  if (IsNotInDatabaseNote(entry)) {
    c_.status.Set(QString::fromUtf8(kUpdateDatabase));
    return;
  }
  const std::string key = ResultKey(entry);
  pick_.TargetName = key;
  pick_.TargetClass = ResultClass(dir_.NWDirWSAddress.get(), entry);
  links_.actions.RunRemoteAction(key, actions_.DefaultAction, ResultLogin(entry));
}

bool ResultsList::lstMultiple_MouseDown(bool rightButton, QTreeWidgetItem* entry,
                                        const QPoint& globalPos) {
  QTreeWidget& list = *c_.lstMultiple;
  list.setFocus();
  c_.status.Clear();
  if (!rightButton || list.topLevelItemCount() == 0) return false;
  if (entry) list.setCurrentItem(entry);
  if (!Selected()) return true;
  PickEntry();
  c_.mnuMain->popup(globalPos);
  return true;
}

bool ResultsList::eventFilter(QObject* watched, QEvent* event) {
  QTreeWidget& list = *c_.lstMultiple;
  if (event->type() == QEvent::KeyPress && watched == &list) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->text().isEmpty() || list.topLevelItemCount() == 0 || !Selected()) return false;
    PickEntry();
    ShowPick();
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && !IsNotInDatabaseNote(Selected())) ResultsListDoubleClick();
    return enter;
  }
  if (event->type() == QEvent::MouseButtonPress && watched == list.viewport()) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const bool right = mouse->button() == Qt::RightButton;
    return lstMultiple_MouseDown(right, right ? list.itemAt(mouse->position().toPoint()) : nullptr,
                                 mouse->globalPosition().toPoint());
  }
  return false;
}

}  // namespace cvx
