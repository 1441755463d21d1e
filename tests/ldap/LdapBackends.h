#pragma once

#include <string>

#include "SlapdServer.h"
#include "directory/DirectoryBackend.h"
#include "directory/ldap/LdapOptions.h"

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

// Options for test directories: waits bounded well below the tests' own bounds.
LdapOptions TestLdapOptions();

}  // namespace cvx::test
