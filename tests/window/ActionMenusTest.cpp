#include "window/menus/ActionMenus.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace cvx {
namespace {

using Entries = std::vector<std::pair<QString, QString>>;  // name, caption

Entries EntriesOf(const QMenu* menu) {
  Entries entries;
  for (const QAction* action : menu->actions())
    entries.emplace_back(action->objectName(), action->text());
  return entries;
}

class ActionMenusTest : public ::testing::Test {
 protected:
  QMainWindow window;
  ActionMenus m = BuildActionMenus(&window);
};

TEST_F(ActionMenusTest, ActionMenuListsTheEightActionsInOrder) {
  EXPECT_EQ(m.mnuMain->objectName(), QStringLiteral("mnuMain"));
  EXPECT_EQ(m.mnuMain->title(), QStringLiteral("Remote Action"));
  EXPECT_EQ(EntriesOf(m.mnuMain), (Entries{{"mnuRC", "Remote Control"},
                                           {"mnuRV", "Remote View"},
                                           {"mnuRe", "Remote Execute"},
                                           {"mnuFT", "File Transfer"},
                                           {"mnuCH", "Chat"},
                                           {"mnuRD", "Diagnostics"},
                                           {"mnuRI", "Inventory"},
                                           {"mnuRP", "Ping RM Agent"}}));
  EXPECT_EQ(m.mnuMain->actions(), (QList<QAction*>{m.mnuRC, m.mnuRV, m.mnuRe, m.mnuFT, m.mnuCH,
                                                   m.mnuRD, m.mnuRI, m.mnuRP}));
}

TEST_F(ActionMenusTest, DefaultActionMenuListsTheEightActionsInOrder) {
  EXPECT_EQ(m.mnuDefaultAction->objectName(), QStringLiteral("mnuDefaultAction"));
  EXPECT_EQ(m.mnuDefaultAction->title(), QStringLiteral("DefaultAction"));
  EXPECT_EQ(EntriesOf(m.mnuDefaultAction), (Entries{{"mnuDefRC", "Remote Control"},
                                                    {"mnuDefRV", "Remote View"},
                                                    {"mnuDefRE", "Remote Execute"},
                                                    {"mnuDefFileTransfer", "File Transfer"},
                                                    {"mnuDefCH", "Chat"},
                                                    {"mnuDefDiag", "Diagnostics"},
                                                    {"mnuDefInventory", "Inventory"},
                                                    {"mnuDefPing", "Ping RM Agent"}}));
  EXPECT_EQ(m.mnuDefaultAction->actions(),
            (QList<QAction*>{m.mnuDefRC, m.mnuDefRV, m.mnuDefRE, m.mnuDefFileTransfer, m.mnuDefCH,
                             m.mnuDefDiag, m.mnuDefInventory, m.mnuDefPing}));
}

TEST_F(ActionMenusTest, ContainerMenuHasRefreshAndTheCheckableAnchor) {
  EXPECT_EQ(m.mnuTreeManipulate->objectName(), QStringLiteral("mnuTreeManipulate"));
  EXPECT_EQ(m.mnuTreeManipulate->title(), QStringLiteral("TreeManipulation"));
  EXPECT_EQ(EntriesOf(m.mnuTreeManipulate),
            (Entries{{"mnuRefreshTreeBranch", "Refesh Container List"},
                     {"mnuSearchAnchor", "Always start searching from within this container"}}));
  EXPECT_TRUE(m.mnuSearchAnchor->isCheckable());
  EXPECT_FALSE(m.mnuRefreshTreeBranch->isCheckable());
}

TEST_F(ActionMenusTest, MenusArePopUpsOfTheWindowOnly) {
  for (QMenu* menu : {m.mnuMain, m.mnuDefaultAction, m.mnuTreeManipulate}) {
    EXPECT_EQ(menu->parentWidget(), &window);
    EXPECT_TRUE(menu->isHidden());
  }
  // The default action shows as the button's caption, never as a check mark in a menu.
  for (const QAction* action : m.mnuMain->actions() + m.mnuDefaultAction->actions()) {
    EXPECT_FALSE(action->isCheckable()) << action->objectName().toStdString();
  }
  EXPECT_EQ(window.findChild<QMenuBar*>(), nullptr);
}

}  // namespace
}  // namespace cvx
