// How live trees are named and found: by a URI (with or without a DN, over TCP or a local socket)
// or by <TREE>.uri files in a folder; what a server that names no tree is called; and what an
// unreachable or badly described tree does to the directory.

#include <gtest/gtest.h>

#include <filesystem>

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

DirResult<DirectoryClientPtr> Open(const std::string& where, const std::string& preferred = "",
                                   LdapOptions options = TestLdapOptions()) {
  return OpenDirectoryClientWith(where, preferred, options);
}

Names RootNames(DirectoryClient& client) {
  auto control = client.CreateControl();
  auto entries = control->ContextEntries();
  EXPECT_TRUE(entries) << entries.message();
  return entries ? SortedNames(*entries) : Names{};
}

SlapdServer* Alpha() {
  std::string why;
  auto* server = FixtureServer("basic", "ALPHA", &why);
  EXPECT_TRUE(server) << why;
  return server;
}

}  // namespace

TEST(LdapDirectoryNaming, AUriNamesOneTreeByTheServersNameAndMayNameItsOnlyTopObject) {
  auto* alpha = Alpha();
  ASSERT_TRUE(alpha);
  for (const auto& uri : {alpha->Uri(), alpha->Uri() + "/", alpha->LdapiUri()}) {
    auto client = Open(uri);
    ASSERT_TRUE(client) << uri << ": " << client.message();
    EXPECT_EQ((*client)->CreateControl()->ContextPath(), kAlpha) << uri;
    EXPECT_EQ(RootNames(**client), (Names{"ACME", "US"})) << uri;
  }
  auto acmeOnly = Open(alpha->Uri() + "/o=ACME");
  ASSERT_TRUE(acmeOnly) << acmeOnly.message();
  EXPECT_EQ(RootNames(**acmeOnly), Names{"ACME"});
  auto control = (*acmeOnly)->CreateControl();
  EXPECT_EQ(control->FindEntry(kInitech).error(), kDirNoSuchObject);
  EXPECT_TRUE(control->FindEntry(kJsmith));
}

TEST(LdapDirectoryNaming, AServerThatNamesNoTreeIsNamedByTheEnvironmentElseItsFirstContext) {
  TempFolder folder;
  SlapdSetup setup;
  setup.treeName = "NET";
  setup.publishTreeName = false;
  std::string why;
  auto server = StartTreeServer(NetTreeLdif(1), setup, folder, &why);
  ASSERT_TRUE(server) << why;

  auto byContext = Open(server->Uri());
  ASSERT_TRUE(byContext) << byContext.message();
  EXPECT_EQ((*byContext)->CreateControl()->ContextPath(), R"(NDS:\\NET)");

  LdapOptions named = TestLdapOptions();
  named.treeName = "Corp";
  auto byOption = Open(server->Uri(), "", named);
  ASSERT_TRUE(byOption) << byOption.message();
  auto control = (*byOption)->CreateControl();
  EXPECT_EQ(control->ContextPath(), R"(NDS:\\Corp)");
  auto user = control->FindEntry(R"(NDS:\\CORP\NET\ADMIN)");
  ASSERT_TRUE(user) << user.message();
  EXPECT_EQ((*user)->FullPath(), R"(NDS:\\Corp\NET\ADMIN)");
}

// A folder of servers and files where the first tree by name is a server that is down and one
// .uri file is broken: each fails alone, when used; only a tree asked for is opened at once.
TEST(LdapDirectoryNaming, AFolderTreeThatCannotBeReachedFailsOnlyWhenUsed) {
  auto* alpha = Alpha();
  ASSERT_TRUE(alpha);
  TempFolder folder;
  folder.Write("ALPHA.uri", alpha->Uri() + "\n");
  const std::string nowhere = "ldap://127.0.0.1:" + std::to_string(FreeLoopbackPort());
  folder.Write("AGONE.uri", "  " + nowhere + "  \n");
  folder.Write("BAD.uri", "http://example.com\n");
  for (const char* f : {"BETA.ldif", "core.schema", "lab.schema", "workstation.schema"}) {
    std::filesystem::copy_file(FixtureFolder("basic") + "/" + f, folder / f);
  }

  auto client = Open(folder.path());
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  EXPECT_TRUE(control->FindEntry(kJsmith));
  EXPECT_TRUE(control->FindEntry(R"(NDS:\\BETA\BETACORP\JSMITH)"));
  auto gone = control->FindEntry(R"(NDS:\\AGONE\X)");
  EXPECT_EQ(gone.error(), kDirLost);
  EXPECT_NE(gone.message().find(nowhere), std::string::npos) << gone.message();
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\agone\X)"), "AGONE");
  auto bad = control->FindEntry(R"(NDS:\\BAD\X)");
  EXPECT_EQ(bad.error(), kDirLost);
  EXPECT_NE(bad.message().find("BAD.uri"), std::string::npos) << bad.message();

  // Another tree asked for opens; the tree asked for is the missing client when down.
  auto other = Open(folder.path(), "beta");
  ASSERT_TRUE(other) << other.message();
  EXPECT_EQ((*other)->CreateControl()->ContextPath(), R"(NDS:\\BETA)");
  EXPECT_EQ(Open(folder.path(), "agone").error(), kDirClientMissing);
}

TEST(LdapDirectoryNaming, AFolderThatDescribesATreeBadlyDoesNotOpen) {
  auto* alpha = Alpha();
  ASSERT_TRUE(alpha);
  {
    TempFolder folder;
    folder.Write("ALPHA.uri", "http://example.com\n");
    auto opened = Open(folder.path());
    EXPECT_EQ(opened.error(), kDirClientMissing);
    EXPECT_NE(opened.message().find("ALPHA.uri"), std::string::npos) << opened.message();
  }
  {
    // One name, two trees: a file and a server.
    TempFolder folder;
    folder.Write("ALPHA.uri", alpha->Uri() + "\n");
    std::filesystem::copy_file(FixtureFolder("basic") + "/ALPHA.ldif", folder / "alpha.ldif");
    auto opened = Open(folder.path());
    EXPECT_EQ(opened.error(), kDirClientMissing);
    EXPECT_NE(opened.message().find("both a file and a server"), std::string::npos)
        << opened.message();
  }
}

}  // namespace cvx::test
