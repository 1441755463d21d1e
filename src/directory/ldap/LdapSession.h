#pragma once

#include <memory>

#include "directory/SessionControl.h"

namespace cvx {

class LdapDirectory;

// The session side of a live directory: the servers are the default tree's "NCP Server" objects.
class LdapSession : public SessionControl {
 public:
  explicit LdapSession(std::shared_ptr<LdapDirectory> directory);
  DirResult<std::vector<ServerName>> ServerNames() const override;

 private:
  std::shared_ptr<LdapDirectory> directory_;
};

}  // namespace cvx
