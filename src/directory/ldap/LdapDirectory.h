#pragma once

#include <QThreadPool>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"
#include "directory/ldap/LdapOptions.h"
#include "directory/ldap/LdapTree.h"

namespace cvx {

// A live tree to open: its name (empty: as the server names it) and its server.
struct LdapTreeLocation {
  std::string name;
  std::string uri;
  std::string fault;  // why the tree cannot be used (its file is broken); empty: it can
};

// A directory of live trees, one server each. The default tree is connected when the directory
// opens, so that a server that cannot be reached or refuses the bind stops the program at once;
// other trees connect when first used. Searches run on threads of the directory's own and
// complete through the event loop.
class LdapDirectory : public DirectoryClient, public std::enable_shared_from_this<LdapDirectory> {
 public:
  // Failure is kDirClientMissing with the reason. With `connectDefault` unset nothing is
  // connected yet (the caller's default tree lives elsewhere); a tree without a name needs it.
  static DirResult<std::shared_ptr<LdapDirectory>> Open(std::vector<LdapTreeLocation> trees,
                                                        LdapOptions options,
                                                        const std::string& preferredTree,
                                                        bool connectDefault = true);
  ~LdapDirectory() override;

  std::unique_ptr<DirectoryControl> CreateControl() override;
  std::unique_ptr<SessionControl> CreateSession() override;

  const std::string& DefaultTree() const { return defaultTree_; }
  std::optional<std::string> CanonicalTreeName(const std::string& name) const;
  // Null for a tree the directory does not have.
  std::shared_ptr<LdapTree> Tree(const std::string& name) const;
  QThreadPool& SearchThreads() { return searchThreads_; }

 private:
  LdapDirectory() = default;

  std::vector<std::shared_ptr<LdapTree>> trees_;  // by name
  std::string defaultTree_;
  QThreadPool searchThreads_;
};

}  // namespace cvx
