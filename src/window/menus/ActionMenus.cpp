#include "window/menus/ActionMenus.h"

#include <QAction>
#include <QMenu>

namespace cvx {

namespace {

QMenu* AddMenu(QWidget* window, const char* name, const QString& caption) {
  auto* menu = new QMenu(caption, window);
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddEntry(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

ActionMenus BuildActionMenus(QWidget* window) {
  ActionMenus m;

  m.mnuMain = AddMenu(window, "mnuMain", QStringLiteral("Remote Action"));
  m.mnuRC = AddEntry(m.mnuMain, "mnuRC", QStringLiteral("Remote Control"));
  m.mnuRV = AddEntry(m.mnuMain, "mnuRV", QStringLiteral("Remote View"));
  m.mnuRe = AddEntry(m.mnuMain, "mnuRe", QStringLiteral("Remote Execute"));
  m.mnuFT = AddEntry(m.mnuMain, "mnuFT", QStringLiteral("File Transfer"));
  m.mnuCH = AddEntry(m.mnuMain, "mnuCH", QStringLiteral("Chat"));
  m.mnuRD = AddEntry(m.mnuMain, "mnuRD", QStringLiteral("Diagnostics"));
  m.mnuRI = AddEntry(m.mnuMain, "mnuRI", QStringLiteral("Inventory"));
  m.mnuRP = AddEntry(m.mnuMain, "mnuRP", QStringLiteral("Ping RM Agent"));

  m.mnuDefaultAction = AddMenu(window, "mnuDefaultAction", QStringLiteral("DefaultAction"));
  m.mnuDefRC = AddEntry(m.mnuDefaultAction, "mnuDefRC", QStringLiteral("Remote Control"));
  m.mnuDefRV = AddEntry(m.mnuDefaultAction, "mnuDefRV", QStringLiteral("Remote View"));
  m.mnuDefRE = AddEntry(m.mnuDefaultAction, "mnuDefRE", QStringLiteral("Remote Execute"));
  m.mnuDefFileTransfer =
      AddEntry(m.mnuDefaultAction, "mnuDefFileTransfer", QStringLiteral("File Transfer"));
  m.mnuDefCH = AddEntry(m.mnuDefaultAction, "mnuDefCH", QStringLiteral("Chat"));
  m.mnuDefDiag = AddEntry(m.mnuDefaultAction, "mnuDefDiag", QStringLiteral("Diagnostics"));
  m.mnuDefInventory = AddEntry(m.mnuDefaultAction, "mnuDefInventory", QStringLiteral("Inventory"));
  m.mnuDefPing = AddEntry(m.mnuDefaultAction, "mnuDefPing", QStringLiteral("Ping RM Agent"));

  m.mnuTreeManipulate = AddMenu(window, "mnuTreeManipulate", QStringLiteral("TreeManipulation"));
  // The caption's spelling is the one administrators already know from the menu.
  m.mnuRefreshTreeBranch = AddEntry(m.mnuTreeManipulate, "mnuRefreshTreeBranch",
                                    QStringLiteral("Refesh Container List"));
  m.mnuSearchAnchor = AddEntry(m.mnuTreeManipulate, "mnuSearchAnchor",
                               QStringLiteral("Always start searching from within this container"));
  m.mnuSearchAnchor->setCheckable(true);

  return m;
}

}  // namespace cvx
