#pragma once

#include <memory>
#include <string>

#include "SlapdServer.h"
#include "directory/DirectoryConformance.h"
#include "support/TempFolder.h"

namespace cvx::test {

// The fixture folders served live, each tree by a slapd of its own.
const DirectoryBackendFactory& LdapDirectoryBackend();
// The server of one fixture tree (trees may differ in schema), kept until the program ends; null,
// with the failure recorded, when it cannot start.
SlapdServer* FixtureServer(const std::string& fixture, const std::string& tree);

// A server of a test's own holding the tree NET: o=NET, cn=ADMIN,o=NET (password "secret"),
// workstations WS001... in ou=WS,o=NET, and `more` records, with the fixture "addresses"' schema.
struct NetServer {
  explicit NetServer(int workstations = 3, SlapdSetup setup = {}, const std::string& more = "");
  SlapdServer* operator->() const { return server.get(); }
  TempFolder folder;
  std::string why;  // when it did not start
  std::unique_ptr<SlapdServer> server;
};
inline const std::string kNet = R"(NDS:\\NET\NET)";
inline const std::string kWs = R"(NDS:\\NET\NET\WS)";

// Waits bounded well below the tests' own bounds.
LdapOptions TestLdapOptions(int timeoutMs = 3000);
DirResult<DirectoryClientPtr> OpenLive(const std::string& where,
                                       LdapOptions options = TestLdapOptions(),
                                       const std::string& preferredTree = "");

}  // namespace cvx::test
