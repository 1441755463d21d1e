#pragma once

#include <string>
#include <vector>

#include "directory/DirResult.h"

namespace cvx {

struct ServerName {
  std::string ShortName;
};

// The session side of the client: which file servers it knows.
class SessionControl {
 public:
  virtual ~SessionControl() = default;
  virtual DirResult<std::vector<ServerName>> ServerNames() const = 0;
};

}  // namespace cvx
