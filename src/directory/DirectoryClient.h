#pragma once

#include <memory>
#include <string>

#include "directory/DirResult.h"
#include "directory/DirectoryControl.h"
#include "directory/SessionControl.h"
#include "directory/ldap/LdapOptions.h"

namespace cvx {

// The directory client: makes control and session instances that all talk to one directory.
class DirectoryClient {
 public:
  virtual ~DirectoryClient() = default;
  virtual std::unique_ptr<DirectoryControl> CreateControl() = 0;
  virtual std::unique_ptr<SessionControl> CreateSession() = 0;
};

using DirectoryClientPtr = std::shared_ptr<DirectoryClient>;

// Opens the directory named by `where`: a folder of trees (<TREE>.ldif and *.schema files, and
// <TREE>.uri files naming live trees), or an ldap://, ldaps:// or ldapi:// URI naming one live
// tree. `preferredTree` (may be empty) names the default tree. Live trees are reached as the
// CVX_LDAP_* variables say (LdapOptionsFromEnvironment); a password is asked with `askPassword`
// only when a bind DN is set and no password file. Failure is kDirClientMissing with the reason.
DirResult<DirectoryClientPtr> OpenDirectoryClient(const std::string& where,
                                                  const std::string& preferredTree,
                                                  const PasswordPrompt& askPassword = {});

// The same with the options for live trees given.
DirResult<DirectoryClientPtr> OpenDirectoryClientWith(const std::string& where,
                                                      const std::string& preferredTree,
                                                      const LdapOptions& options);

// The directory the program uses: $CVX_DIRECTORY, else `fallbackFolder` (the demo directory
// shipped with the program); default tree the tree of `treeAskedFor` (a full name, as /tree=
// gives it), else $CVX_PREFERRED_TREE.
DirResult<DirectoryClientPtr> OpenDirectoryClientFromEnvironment(
    const std::string& fallbackFolder, const PasswordPrompt& askPassword = {},
    const std::string& treeAskedFor = {});

}  // namespace cvx
