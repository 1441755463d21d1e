#pragma once

#include <pwd.h>
#include <unistd.h>

namespace cvx::test {

// File permissions do not stop root. A test that needs them to (a read-only folder) runs the
// steps concerned inside this scope: when the tests run as root, the effective user is "nobody"
// until the scope ends; otherwise nothing changes. The folders involved must be reachable by
// that user.
class UnprivilegedScope {
 public:
  UnprivilegedScope() {
    if (::geteuid() != 0) return;
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr || ::setegid(nobody->pw_gid) != 0) {
      failed_ = true;
      return;
    }
    if (::seteuid(nobody->pw_uid) != 0) {
      if (::setegid(0) != 0) _exit(99);
      failed_ = true;
      return;
    }
    switched_ = true;
  }
  ~UnprivilegedScope() {
    if (!switched_) return;
    if (::seteuid(0) != 0 || ::setegid(0) != 0) _exit(99);  // the other tests would run wrong
  }
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

  // True when permissions could not be made to apply: the test should be skipped.
  bool failed() const { return failed_; }

 private:
  bool switched_ = false;
  bool failed_ = false;
};

}  // namespace cvx::test
