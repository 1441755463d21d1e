// A user's logins looked up over LDAP from a real server that stops answering.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SlapdServer.h"
#include "fakes/MainWindowHarness.h"
#include "fakes/frmMainTestAccess.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"

namespace cvx {
namespace {

// The look-up times out (600); the window stays open, no box, and panel 2 says what is missing.
TEST(LiveLoginLookup, ATimedOutLookupLeavesTheWindowOpenWithAStatus) {
  const std::string demo = CVX_DEMO_DIR;
  test::SlapdSetup setup;
  setup.treeName = "CORP";
  setup.ldifPath = demo + "/CORP.ldif";
  for (const char* schema : {"core.schema", "workstation.schema", "CORP.schema"}) {
    setup.folderSchemas.push_back(demo + "/" + schema);
  }
  std::string why;
  const auto server = test::SlapdServer::Create(setup, &why);
  ASSERT_TRUE(server) << why;
  // Short, yet long enough for a start-up on a busy machine.
  ::setenv("CVX_LDAP_TIMEOUT", "3", 1);
  auto directory = OpenDirectoryClient(server->Uri(), "CORP");
  ::unsetenv("CVX_LDAP_TIMEOUT");
  ASSERT_TRUE(directory) << directory.message();
  MainWindowHarness h(std::move(directory), {});
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  ASSERT_TRUE(h.prompter.messages.empty());
  const std::string jsmith = R"(NDS:\\CORP\ACME\SALES\JSMITH)";
  Access::browserRC(*h.window).treeExp(jsmith);
  QTreeWidgetItem* node = FindNode(*Access::ui(*h.window).TreeViewRC, jsmith);
  ASSERT_NE(node, nullptr);

  server->Pause();
  Access::browserRC(*h.window).TreeViewRC_NodeClick(node);
  server->Resume();
  EXPECT_FALSE(h.window->IsUnloaded());
  EXPECT_TRUE(h.prompter.messages.empty()) << h.prompter.messages[0].text.toStdString();
  const QString status = StatusPanelText(Access::ui(*h.window), 2);
  EXPECT_TRUE(status.startsWith("The logins of JSMITH.SALES.ACME ") &&
              status.contains("(error 600)"))
      << status.toStdString();
}

}  // namespace
}  // namespace cvx
