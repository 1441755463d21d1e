#pragma once

// Every test of the window program includes this file, and with it the widgets and test tools.

#include <gtest/gtest.h>

#include <QtTest/QtTest>
#include <QtWidgets/QtWidgets>
#include <memory>
#include <string>
#include <vector>

#include "fakes/LosableDirectory.h"
#include "fakes/MainWindowHarness.h"
#include "settings/SettingsSections.h"
#include "support/RecordAppender.h"
#include "support/TempFolder.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/layout/PageSwitching.h"
#include "window/layout/WindowGeometry.h"

namespace cvx {

// Full names in the demo tree CORP.
inline const std::string kCorp = R"(NDS:\\CORP)";
inline const std::string kAcme = R"(NDS:\\CORP\ACME)";
inline const std::string kSales = R"(NDS:\\CORP\ACME\SALES)";
inline const std::string kWs01 = R"(NDS:\\CORP\ACME\SALES\WS01)";
inline const std::string kJsmith = R"(NDS:\\CORP\ACME\SALES\JSMITH)";
inline const std::string kHr = R"(NDS:\\CORP\ACME\HR)";
inline const std::string kJohn = R"(NDS:\\CORP\ACME\HR\JOHN)";  // an alias of JSMITH
inline const std::string kPayroll = R"(NDS:\\CORP\ACME\HR\PAYROLL)";

inline bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The real window over the demo directory, shown, server FS1 chosen, with a database folder of its
// own, a connection the test can cut, and own actions when given.
class DemoWindow : public ::testing::Test {
 protected:
  explicit DemoWindow(const std::string& tree = "CORP", const std::string& ownActions = {},
                      const std::string& argument = {})
      : directory(
            std::make_shared<LosableDirectory>(OpenDirectoryClient(CVX_DEMO_DIR, tree).value())),
        h(DirectoryClientPtr(directory),
          argument.empty() ? std::vector<std::string>{"--dbpath=" + db.path()}
                           : std::vector<std::string>{"--dbpath=" + db.path(), argument},
          nullptr, ownActions.empty() ? "" : db.Write("actions.ini", ownActions)) {}

  void SetUp() override {
    ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
    ui().cmbServerlist->setCurrentText("FS1");
    w().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w()));
  }

  frmMain& w() { return *h.window; }
  MainState& s() { return Access::state(*h.window); }
  MainWindowControls& ui() { return Access::ui(*h.window); }
  QTreeWidget& rc() { return *ui().TreeViewRC; }
  QTreeWidget& ws() { return *ui().TreeViewWS; }
  QString Panel2() { return StatusPanelText(ui(), 2); }
  std::string Launched() { return h.launcher.launched.empty() ? "" : h.launcher.launched.back(); }
  static bool Hourglass() { return QApplication::overrideCursor() != nullptr; }

  // The node with this key in the remote-control browser; the test fails without it.
  QTreeWidgetItem* Node(const std::string& key) {
    QTreeWidgetItem* node = FindNode(rc(), key);
    EXPECT_NE(node, nullptr) << key;
    return node;
  }
  // Where the node is shown, the browser opened down to it first.
  QPoint At(const std::string& key) {
    Access::browserRC(w()).treeExp(key);
    rc().scrollToItem(Node(key));
    return rc().visualItemRect(Node(key)).center();
  }
  void ClickNode(const std::string& key, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(rc().viewport(), button, {}, At(key));
  }
  // Chooses an entry of an open menu with the button.
  static void Choose(QMenu* menu, QAction* entry, Qt::MouseButton button = Qt::LeftButton) {
    ASSERT_TRUE(entry && menu->isVisible()) << menu->objectName().toStdString();
    QTest::mouseClick(menu, button, {}, menu->actionGeometry(entry).center());
  }
  static QStringList Texts(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; node && i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
  }
  QStringList Results() { return Texts(ui().lstMultiple->invisibleRootItem()); }

  // Types the name into the history box and presses Enter, then waits for the search, bounded.
  bool Search(const QString& name) {
    QLineEdit* edit = ui().ImageCombo1->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
    return Completed();
  }
  bool Completed() {
    return QTest::qWaitFor([&] { return Panel2() != "Searching ..."; }, 5000);
  }

  void AddRecord(const std::string& ws, const std::string& address) {
    ASSERT_TRUE(AppendWorkstationRecord(db.path(), "CORP", ws, address, "").ok());
  }

  test::TempFolder db;  // before the harness, which is given its files
  std::shared_ptr<LosableDirectory> directory;
  MainWindowHarness h;
};

}  // namespace cvx
