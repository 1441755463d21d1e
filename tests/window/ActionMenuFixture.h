#pragma once

#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "BrowserFixture.h"
#include "fakes/frmMainTestAccess.h"
#include "window/controls/StatusPanels.h"

namespace cvx {

inline const std::string kWs01 = R"(NDS:\\CORP\ACME\SALES\WS01)";
inline const std::string kJohn = R"(NDS:\\CORP\ACME\HR\JOHN)";  // an alias of JSMITH

// The demo window shown, with server FS1 chosen so that commands can be formed.
class ActionMenuFixture : public BrowserFixture {
 protected:
  void SetUp() override {
    BrowserFixture::SetUp();
    ui().cmbServerlist->setCurrentText("FS1");
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
  }

  // A click of the button on the node, opened down to it first.
  void ClickNode(const std::string& key, Qt::MouseButton button) {
    Access::browserRC(w()).treeExp(key);
    QTreeWidgetItem* node = Node(key);
    ASSERT_NE(node, nullptr);
    rc().scrollToItem(node);
    QTest::mouseClick(rc().viewport(), button, {}, rc().visualItemRect(node).center());
  }
  // Chooses an entry of an open menu with the button.
  static void Choose(QMenu* menu, QAction* entry, Qt::MouseButton button = Qt::LeftButton) {
    ASSERT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
    QTest::mouseClick(menu, button, {}, menu->actionGeometry(entry).center());
  }

  static std::string Command(std::string_view program, std::string_view dotted,
                             std::string_view caption) {
    return std::string(R"(\\FS1\sys\public\zenworks\)") + std::string(program) + R"( -w")" +
           std::string(dotted) + R"(" -n"CORP" -c")" + std::string(caption) + "\"";
  }

  const std::vector<std::string>& Launched() { return h.launcher.launched; }
  QString Panel2() { return StatusPanelText(ui(), 2); }
  const ActionMenus& menus() { return ui().menus; }
};

}  // namespace cvx
