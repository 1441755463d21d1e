#include "window/controls/KeyboardContextMenu.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTreeWidget>

namespace cvx {

namespace {

class KeyboardContextMenu : public QObject {
 public:
  KeyboardContextMenu(QTreeWidget& view, QObject& owner, ContextMenuOpener open)
      : QObject(&owner), view_(view), open_(std::move(open)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &view_) return false;
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) return false;
      // Not every platform turns Shift+F10 into a menu request; here it always is one.
      QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint(), key->modifiers());
      QCoreApplication::sendEvent(&view_, &request);
      return true;
    }
    if (event->type() != QEvent::ContextMenu ||
        static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Keyboard) {
      return false;
    }
    // The platform places a keyboard request at the text cursor or the mouse; the menu belongs
    // at the entry it is for.
    QTreeWidgetItem* entry = view_.currentItem();
    QPoint at;
    if (entry) {
      view_.scrollToItem(entry);
      at = view_.visualItemRect(entry).bottomLeft();
    }
    open_(entry, view_.viewport()->mapToGlobal(at));
    return true;
  }

 private:
  QTreeWidget& view_;
  ContextMenuOpener open_;
};

}  // namespace

void InstallKeyboardContextMenu(QTreeWidget& view, QObject& owner, ContextMenuOpener open) {
  view.installEventFilter(new KeyboardContextMenu(view, owner, std::move(open)));
}

}  // namespace cvx
