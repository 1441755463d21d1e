#pragma once

#include <functional>

class QObject;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

// What a view does when its menu is asked for: the entry the menu is for (under the mouse, or
// the selected one from the keyboard; may be null) and where the menu opens.
using ContextMenuOpener = std::function<void(QTreeWidgetItem* entry, const QPoint& globalPos)>;

// Lets the keyboard open the view's menu as the right button does: the Menu key's context-menu
// event, and Shift+F10 turned into one, run open with the selected entry, the menu placed at that
// entry rather than at the mouse.
// The filter lives as long as owner, the handler that open calls into.
void InstallKeyboardContextMenu(QTreeWidget& view, QObject& owner, ContextMenuOpener open);

}  // namespace cvx
