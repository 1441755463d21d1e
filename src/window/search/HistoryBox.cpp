#include "window/search/HistoryBox.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "settings/HistoryStore.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/controls/ImageListMy.h"
#include "window/controls/StatusPanels.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

void AppendEntry(QComboBox& box, const ImageListMy& images, const std::string& key,
                 const HistoryEntry& entry) {
  box.addItem(images.Icon(QString::fromStdString(entry.className)),
              QString::fromStdString(entry.text), QString::fromStdString(key));
}

void ClearPicks(MainState& s) {
  s.TreePickActive = false;
  s.HistoryPickActive = false;
  s.ResultPickActive = false;
}

// Typing into the box leaves pick mode; Enter searches for the text. Focus selects the whole
// text so that typing replaces it.
class HistoryKeys : public QObject {
 public:
  explicit HistoryKeys(frmMain& w) : QObject(&w), w_(w) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    // The box takes the keys of a real keyboard and hands them to its line edit directly, past
    // any filter, so both are watched.
    QComboBox* box = w_.ui().ImageCombo1;
    QLineEdit* edit = box->lineEdit();
    if (watched != edit && watched != box) return false;
    if (event->type() == QEvent::FocusIn) {
      // A mouse click that gave the focus would place the cursor after the selection is made.
      QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
      return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->text().isEmpty()) return false;  // arrows and the like type nothing
    MainWindowControls& ui = w_.ui();
    SetStatusPanelText(ui, 2, QString());
    ClearPicks(w_.state());
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      ui.cmdRC->click();
      return true;
    }
    ui.cmdRC->setText(QStringLiteral("Search"));
    ui.Command1->setEnabled(false);
    return false;
  }

 private:
  frmMain& w_;
};

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

void AddHistory(frmMain& w, const std::string& key, const std::string& name,
                const std::string& className) {
  MainState& s = w.state();
  if (!cvx::AddHistory(s.History, w.settings(), s.TreeName, key, name, className)) return;
  QComboBox& box = *w.ui().ImageCombo1;
  const QString text = box.currentText();
  AppendEntry(box, w.images(), key, *s.History.Find(key));
  box.setEditText(text);
}

void ConnectHistoryBox(frmMain& w) {
  MainWindowControls& ui = w.ui();
  auto* keys = new HistoryKeys(w);
  ui.ImageCombo1->installEventFilter(keys);
  ui.ImageCombo1->lineEdit()->installEventFilter(keys);
  QObject::connect(ui.ImageCombo1, &QComboBox::activated, &w, [&w](int) {
    MainState& s = w.state();
    s.TreePickActive = false;
    s.HistoryPickActive = true;
    s.ResultPickActive = false;
    w.ui().Command1->setEnabled(true);
    ShowDefaultActionCaption(w);
  });
  QObject::connect(ui.cmdPurgeH, &QPushButton::clicked, &w, [&w] {
    MainState& s = w.state();
    PurgeHistory(s.History, w.settings(), s.TreeName);
    ShowHistoryEntries(*w.ui().ImageCombo1, w.images(), s.History);
  });
}

}  // namespace cvx
