#include "wsdb/InterruptedCalls.h"

#include <sys/types.h>

#include <cerrno>
#include <cstddef>

namespace {

bool armed = false;
int calls = 0;
int interrupted = 0;

bool Interrupt() {
  if (!armed || ++calls % 2 == 0) return false;
  ++interrupted;
  errno = EINTR;
  return true;
}

}  // namespace

extern "C" {
ssize_t __real_write(int fd, const void* data, std::size_t size);
ssize_t __real_read(int fd, void* data, std::size_t size);
ssize_t __real_pread(int fd, void* data, std::size_t size, off_t offset);

ssize_t __wrap_write(int fd, const void* data, std::size_t size) {
  return Interrupt() ? -1 : __real_write(fd, data, size);
}
ssize_t __wrap_read(int fd, void* data, std::size_t size) {
  return Interrupt() ? -1 : __real_read(fd, data, size);
}
ssize_t __wrap_pread(int fd, void* data, std::size_t size, off_t offset) {
  return Interrupt() ? -1 : __real_pread(fd, data, size, offset);
}
}

namespace cvx::test {

InterruptEveryOtherCall::InterruptEveryOtherCall() {
  armed = true;
  calls = interrupted = 0;
}

InterruptEveryOtherCall::~InterruptEveryOtherCall() {
  armed = false;
}

int InterruptEveryOtherCall::count() const {
  return interrupted;
}

}  // namespace cvx::test
