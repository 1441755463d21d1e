// The conformance suite of the directory port against live trees on a real slapd, and against a
// folder that mixes live trees with trees read from files.

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"

namespace cvx::test {

CVX_DIRECTORY_CONFORMANCE(Ldap, &LdapDirectoryBackend());
CVX_DIRECTORY_CONFORMANCE(Mixed, &MixedDirectoryBackend());

}  // namespace cvx::test
