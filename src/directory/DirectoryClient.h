#pragma once

#include <memory>
#include <string>

#include "directory/DirResult.h"
#include "directory/DirectoryControl.h"
#include "directory/SessionControl.h"

namespace cvx {

// The directory client: makes control and session instances that all talk to one directory.
class DirectoryClient {
 public:
  virtual ~DirectoryClient() = default;
  virtual std::unique_ptr<DirectoryControl> CreateControl() = 0;
  virtual std::unique_ptr<SessionControl> CreateSession() = 0;
};

using DirectoryClientPtr = std::shared_ptr<DirectoryClient>;

// Opens the directory named by `where`: a folder of trees (<TREE>.ldif and *.schema files) or,
// later, an ldap:// URI. `preferredTree` (may be empty) names the default tree. Failure is
// kDirClientMissing with the reason in the message.
DirResult<DirectoryClientPtr> OpenDirectoryClient(const std::string& where,
                                                  const std::string& preferredTree);

// The directory the program uses: $CVX_DIRECTORY, else `fallbackFolder` (the demo directory
// shipped with the program); default tree $CVX_PREFERRED_TREE.
DirResult<DirectoryClientPtr> OpenDirectoryClientFromEnvironment(const std::string& fallbackFolder);

}  // namespace cvx
