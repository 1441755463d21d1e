#pragma once

#include <Qt>
#include <string>

#include "target/LoginOrigin.h"

class QPoint;
class QTreeWidgetItem;

namespace cvx {

class frmMain;

// The search results list's entries: key (full name, empty for a note) and small icon.
std::string ResultKey(const QTreeWidgetItem* entry);
std::string ResultIcon(const QTreeWidgetItem* entry);
// The login a listed workstation was found through; empty for any other entry.
LoginOrigin ResultLogin(const QTreeWidgetItem* entry);
inline constexpr int kResultLoginUserRole = Qt::UserRole + 2;
inline constexpr int kResultLoginAddressRole = Qt::UserRole + 3;

// A note that the workstation is not in the database; acting on it asks for a database update.
bool IsNotInDatabaseNote(const QTreeWidgetItem* entry);

// The class of the entry's object as the directory reports it, or its icon when the look-up
// fails: the hits of a search all carry the "User" icon, workstations too.
std::string ResultClass(frmMain& w, const QTreeWidgetItem* entry);

// The list's double-click action on its selected entry: the default action for that object.
// The action button runs it too while the list holds the pick.
void ResultsListDoubleClick(frmMain& w);

// A mouse button pressed on the list: the list takes the focus and panel 2 is emptied; the right
// button then picks entry (the one under the mouse, or the selected one when the keyboard asks for
// the menu) and opens the action menu at globalPos. True when the list must not see the press.
bool lstMultiple_MouseDown(frmMain& w, bool rightButton, QTreeWidgetItem* entry,
                           const QPoint& globalPos);

// Click, double click, typed keys and the mouse buttons of the results list.
void ConnectResultsList(frmMain& w);

}  // namespace cvx
