#include "window/search/HistoryBox.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "settings/HistoryStore.h"
#include "window/MainState.h"
#include "window/controls/ImageListMy.h"
#include "window/search/PickDisplay.h"

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

HistoryBox::HistoryBox(const PickDisplay& shown, QPushButton& cmdPurgeH, StatusLine status,
                       const ImageListMy& images, SettingsStore& settings, HistoryItems& history,
                       const StartOptions& start, TargetPick& pick)
    : shown_(shown),
      status_(std::move(status)),
      images_(images),
      settings_(settings),
      history_(history),
      start_(start),
      pick_(pick) {
  // The box takes the keys of a real keyboard and hands them to its line edit directly, past any
  // filter, so both are watched.
  QComboBox& box = shown_.box();
  box.installEventFilter(this);
  box.lineEdit()->installEventFilter(this);
  connect(&box, &QComboBox::activated, this, [this](int) { ImageCombo1_Click(); });
  connect(&cmdPurgeH, &QPushButton::clicked, this, [this] { cmdPurgeH_Click(); });
}

void HistoryBox::AddHistory(const std::string& key, const std::string& name,
                            const std::string& className) {
  if (!cvx::AddHistory(history_, settings_, start_.TreeName, key, name, className)) return;
  QComboBox& box = shown_.box();
  const QString text = box.currentText();
  AppendEntry(box, images_, key, *history_.Find(key));
  box.setEditText(text);
}

bool HistoryBox::eventFilter(QObject* watched, QEvent* event) {
  QLineEdit* edit = shown_.box().lineEdit();
  if (watched != edit && watched != &shown_.box()) return false;
  if (event->type() == QEvent::FocusIn) {
    // A mouse click that gave the focus would place the cursor after the selection is made.
    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->text().isEmpty()) return false;  // arrows and the like type nothing
  status_.Clear();
  pick_.pickedBy = PickSource::kNone;
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    shown_.button().click();
    return true;
  }
  shown_.ShowSearchMode();
  return false;
}

void HistoryBox::ImageCombo1_Click() {
  pick_.pickedBy = PickSource::kHistory;
  shown_.ShowPicked();
}

void HistoryBox::cmdPurgeH_Click() {
  PurgeHistory(history_, settings_, start_.TreeName);
  ShowHistoryEntries(shown_.box(), images_, history_);
}

}  // namespace cvx
