#pragma once

#include <string>

namespace cvx {

// The login a workstation was found through: the user's full name and the login's address as
// the directory renders it ("TCP 10.1.1.105"). Both empty when the workstation was the target
// itself.
struct LoginOrigin {
  std::string user;
  std::string address;

  bool empty() const { return user.empty() && address.empty(); }
  bool operator==(const LoginOrigin&) const = default;
};

}  // namespace cvx
