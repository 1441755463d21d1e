#pragma once

#include <string>

#include "SlapdServer.h"
#include "directory/DirectoryBackend.h"
#include "directory/ldap/LdapOptions.h"
#include "support/TempFolder.h"

namespace cvx::test {

// The fixture folders served live: each tree by a slapd of its own (a server has one schema, and
// trees of a folder may differ in theirs), started when a test first needs it and kept until the
// test program ends; the directory is a folder of <TREE>.uri files.
const DirectoryBackendFactory& LdapDirectoryBackend();

// The fixture folders with trees of both kinds: the last tree by name live, the others read from
// their files.
const DirectoryBackendFactory& MixedDirectoryBackend();

// The server of one fixture tree; null with the reason in `why` when it cannot start.
SlapdServer* FixtureServer(const std::string& fixture, const std::string& tree, std::string* why);

// A server of its own for one test: the tree `setup.treeName` holding `ldif`, with the schema
// files of the fixture "addresses" (users, workstations, servers, addresses). `setup` says the
// rest (limits, TLS). Null with the reason in `why`.
std::unique_ptr<SlapdServer> StartTreeServer(const std::string& ldif, SlapdSetup setup,
                                             const TempFolder& folder, std::string* why);

// LDIF of a tree NET: o=NET, a user cn=ADMIN,o=NET with password "secret", and `workstations`
// workstations WS001... in ou=WS,o=NET.
std::string NetTreeLdif(int workstations);

// Options for test directories: waits bounded well below the tests' own bounds.
LdapOptions TestLdapOptions();

}  // namespace cvx::test
