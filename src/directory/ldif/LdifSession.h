#pragma once

#include <memory>

#include "directory/SessionControl.h"

namespace cvx {

class LdifDirectory;

// The file servers the client knows: the "NCP Server" objects of the default tree.
class LdifSession : public SessionControl {
 public:
  explicit LdifSession(std::shared_ptr<LdifDirectory> directory);
  DirResult<std::vector<ServerName>> ServerNames() const override;

 private:
  std::shared_ptr<LdifDirectory> directory_;
};

}  // namespace cvx
