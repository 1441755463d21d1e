#pragma once

class QAction;
class QMenu;
class QWidget;

namespace cvx {

// The three pop-up menus of the main window. They never sit in a menu bar; the window opens them
// at the point of a click. Entries are in menu order.
struct ActionMenus {
  // Runs one action once on the object clicked in the browser or the results list.
  QMenu* mnuMain = nullptr;
  QAction* mnuRC = nullptr;
  QAction* mnuRV = nullptr;
  QAction* mnuRe = nullptr;
  QAction* mnuFT = nullptr;
  QAction* mnuCH = nullptr;
  QAction* mnuRD = nullptr;
  QAction* mnuRI = nullptr;
  QAction* mnuRP = nullptr;

  // Chooses the action the main button performs.
  QMenu* mnuDefaultAction = nullptr;
  QAction* mnuDefRC = nullptr;
  QAction* mnuDefRV = nullptr;
  QAction* mnuDefRE = nullptr;
  QAction* mnuDefFileTransfer = nullptr;
  QAction* mnuDefCH = nullptr;
  QAction* mnuDefDiag = nullptr;
  QAction* mnuDefInventory = nullptr;
  QAction* mnuDefPing = nullptr;

  // Commands on a container node of the browser.
  QMenu* mnuTreeManipulate = nullptr;
  QAction* mnuRefreshTreeBranch = nullptr;
  QAction* mnuSearchAnchor = nullptr;  // checkable
};

// Creates the menus as children of window; every menu and entry carries its name as objectName.
ActionMenus BuildActionMenus(QWidget* window);

}  // namespace cvx
