#include "window/search/HistoryBox.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "settings/HistoryStore.h"
#include "window/MainState.h"
#include "window/controls/ImageListMy.h"
#include "window/menus/DefaultActionCaption.h"

namespace cvx {

namespace {

void AppendEntry(QComboBox& box, const ImageListMy& images, const std::string& key,
                 const HistoryEntry& entry) {
  box.addItem(images.Icon(QString::fromStdString(entry.className)),
              QString::fromStdString(entry.text), QString::fromStdString(key));
}

}  // namespace

void ShowHistoryEntries(QComboBox& box, const ImageListMy& images, const HistoryItems& entries) {
  const QString text = box.currentText();
  box.clear();
  for (const auto& e : entries) AppendEntry(box, images, e.key, e.item);
  box.setEditText(text);
}

HistoryPick ChosenHistoryEntry(const QComboBox& box, const HistoryItems& entries) {
  const int i = box.currentIndex();
  if (i < 0) return {};
  const std::string key = box.itemData(i).toString().toStdString();
  const HistoryEntry* entry = entries.Find(key);
  if (!entry) return {};
  return {key, entry->className};
}

HistoryBox::HistoryBox(Controls controls, const ImageListMy& images, SettingsStore& settings,
                       HistoryItems& history, const StartOptions& start,
                       const ActionChoice& actions, TargetPick& pick)
    : c_(std::move(controls)),
      images_(images),
      settings_(settings),
      history_(history),
      start_(start),
      actions_(actions),
      pick_(pick) {
  // The box takes the keys of a real keyboard and hands them to its line edit directly, past any
  // filter, so both are watched.
  c_.ImageCombo1->installEventFilter(this);
  c_.ImageCombo1->lineEdit()->installEventFilter(this);
  connect(c_.ImageCombo1, &QComboBox::activated, this, [this](int) { ImageCombo1_Click(); });
  connect(c_.cmdPurgeH, &QPushButton::clicked, this, [this] { cmdPurgeH_Click(); });
}

void HistoryBox::AddHistory(const std::string& key, const std::string& name,
                            const std::string& className) {
  if (!cvx::AddHistory(history_, settings_, start_.TreeName, key, name, className)) return;
  QComboBox& box = *c_.ImageCombo1;
  const QString text = box.currentText();
  AppendEntry(box, images_, key, *history_.Find(key));
  box.setEditText(text);
}

bool HistoryBox::eventFilter(QObject* watched, QEvent* event) {
  QLineEdit* edit = c_.ImageCombo1->lineEdit();
  if (watched != edit && watched != c_.ImageCombo1) return false;
  if (event->type() == QEvent::FocusIn) {
    // A mouse click that gave the focus would place the cursor after the selection is made.
    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->text().isEmpty()) return false;  // arrows and the like type nothing
  c_.status.Clear();
  pick_.pickedBy = PickSource::kNone;
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    c_.cmdRC->click();
    return true;
  }
  c_.cmdRC->setText(QStringLiteral("Search"));
  c_.Command1->setEnabled(false);
  return false;
}

void HistoryBox::ImageCombo1_Click() {
  pick_.pickedBy = PickSource::kHistory;
  c_.Command1->setEnabled(true);
  ShowDefaultActionCaption(*c_.cmdRC, actions_);
}

void HistoryBox::cmdPurgeH_Click() {
  PurgeHistory(history_, settings_, start_.TreeName);
  ShowHistoryEntries(*c_.ImageCombo1, images_, history_);
}

}  // namespace cvx
