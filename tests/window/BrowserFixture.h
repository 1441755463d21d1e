#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidget>
#include <memory>
#include <string>

#include "fakes/LosableDirectory.h"
#include "fakes/MainWindowHarness.h"
#include "window/controls/TreeNodes.h"

namespace cvx {

// Full names in the demo tree CORP.
inline const std::string kCorp = R"(NDS:\\CORP)";
inline const std::string kAcme = R"(NDS:\\CORP\ACME)";
inline const std::string kSales = R"(NDS:\\CORP\ACME\SALES)";
inline const std::string kJsmith = R"(NDS:\\CORP\ACME\SALES\JSMITH)";
inline const std::string kHr = R"(NDS:\\CORP\ACME\HR)";
inline const std::string kPayroll = R"(NDS:\\CORP\ACME\HR\PAYROLL)";

// The real program over the demo directory, started, with a connection the test can cut.
class BrowserFixture : public ::testing::Test {
 protected:
  BrowserFixture()
      : directory(
            std::make_shared<LosableDirectory>(OpenDirectoryClient(CVX_DEMO_DIR, "CORP").value())),
        h(DirectoryClientPtr(directory), {}) {}

  void SetUp() override { ASSERT_EQ(h.Load(), StartUpOutcome::kReady); }

  frmMain& w() { return *h.window; }
  MainState& s() { return Access::state(*h.window); }
  MainWindowControls& ui() { return Access::ui(*h.window); }
  QTreeWidget& rc() { return *Access::ui(*h.window).TreeViewRC; }
  QTreeWidget& ws() { return *Access::ui(*h.window).TreeViewWS; }

  // The node with this key in the remote-control browser; the test fails without it.
  QTreeWidgetItem* Node(const std::string& key) {
    QTreeWidgetItem* node = FindNode(rc(), key);
    EXPECT_NE(node, nullptr) << key;
    return node;
  }
  // Texts of a node's children, in the browser's order.
  static QStringList ChildTexts(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; node && i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
  }
  static bool HourglassGone() { return QApplication::overrideCursor() == nullptr; }

  std::shared_ptr<LosableDirectory> directory;
  MainWindowHarness h;
};

}  // namespace cvx
