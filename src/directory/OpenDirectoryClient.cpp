#include <cstdlib>

#include "directory/DirectoryClient.h"
#include "directory/ldif/LdifDirectory.h"

namespace cvx {

DirResult<DirectoryClientPtr> OpenDirectoryClient(const std::string& where,
                                                  const std::string& preferredTree) {
  for (const char* scheme : {"ldap://", "ldaps://", "ldapi://"}) {
    if (where.rfind(scheme, 0) == 0) {
      return MakeDirError(kDirClientMissing,
                          "live directory servers (" + where + ") are not supported by this build");
    }
  }
  auto dir = LdifDirectory::Open(where, preferredTree);
  if (!dir) return dir.dirError();
  return DirectoryClientPtr(dir.value());
}

DirResult<DirectoryClientPtr> OpenDirectoryClientFromEnvironment(
    const std::string& fallbackFolder) {
  const char* where = std::getenv("CVX_DIRECTORY");
  const char* preferred = std::getenv("CVX_PREFERRED_TREE");
  return OpenDirectoryClient(where && *where ? where : fallbackFolder, preferred ? preferred : "");
}

}  // namespace cvx
