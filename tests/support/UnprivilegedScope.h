#pragma once

#include <pwd.h>
#include <unistd.h>

namespace cvx::test {

// File permissions do not stop root: while this scope lives, a test run as root acts as "nobody",
// who must be able to reach the folders involved; otherwise nothing changes.
class UnprivilegedScope {
 public:
  UnprivilegedScope() {
    if (::geteuid() != 0) return;
    const passwd* nobody = ::getpwnam("nobody");
    switched_ = nobody && ::setegid(nobody->pw_gid) == 0 && ::seteuid(nobody->pw_uid) == 0;
    if (!switched_ && ::setegid(0) != 0) _exit(99);
  }
  ~UnprivilegedScope() {
    if (switched_ && (::seteuid(0) != 0 || ::setegid(0) != 0)) _exit(99);  // others would run wrong
  }
  UnprivilegedScope(const UnprivilegedScope&) = delete;
  UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

  // True when permissions could not be made to apply: the test should be skipped.
  bool failed() const { return ::geteuid() == 0; }

 private:
  bool switched_ = false;
};

}  // namespace cvx::test
