#pragma once

namespace cvx::test {

// While one of these lives, every other write, read and pread of the code under test fails with
// EINTR before moving a byte, as a call that a signal handler interrupts does. The wsdb test
// program is linked with --wrap for these calls (tests/CMakeLists.txt).
class InterruptEveryOtherCall {
 public:
  InterruptEveryOtherCall();
  ~InterruptEveryOtherCall();
  InterruptEveryOtherCall(const InterruptEveryOtherCall&) = delete;
  InterruptEveryOtherCall& operator=(const InterruptEveryOtherCall&) = delete;

  int count() const;  // the calls interrupted so far
};

}  // namespace cvx::test
