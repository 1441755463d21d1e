// A user's logins looked up over LDAP from a real server that stops answering.

#include <cstdlib>

#include "DemoWindow.h"
#include "SlapdServer.h"

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
  ::setenv("CVX_LDAP_TIMEOUT", "3", 1);  // short, yet long enough for a start on a busy machine
  auto directory = OpenDirectoryClient(server->Uri(), "CORP");
  ::unsetenv("CVX_LDAP_TIMEOUT");
  ASSERT_TRUE(directory) << directory.message();
  MainWindowHarness h(std::move(directory), {});
  ASSERT_EQ(h.Load(), StartUpOutcome::kReady);
  Access::browserRC(*h.window).treeExp(kJsmith);
  QTreeWidgetItem* node = FindNode(*Access::ui(*h.window).TreeViewRC, kJsmith);
  ASSERT_NE(node, nullptr);
  server->Pause();
  Access::browserRC(*h.window).TreeViewRC_NodeClick(node);
  server->Resume();
  EXPECT_FALSE(h.window->IsUnloaded());
  EXPECT_TRUE(h.prompter.messages.empty());
  const QString status = StatusPanelText(Access::ui(*h.window), 2);
  EXPECT_TRUE(status.startsWith("The logins of JSMITH.SALES.ACME ") &&
              status.contains("(error 600)"))
      << status.toStdString();
}

}  // namespace
}  // namespace cvx
