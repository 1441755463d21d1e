#include "wsdb/DatabaseState.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "wsdb/DatabaseBuildTexts.h"
#include "wsdb/DatabasePath.h"

namespace cvx {

namespace {

DatabaseState Unreadable(DatabaseState s, const std::string& reason) {
  s.status = DatabaseState::Status::kUnreadable;
  s.reason = reason;
  return s;
}

}  // namespace

DatabaseState ReadDatabaseState(const std::string& dbPath, const std::string& treeName) {
  DatabaseState s;
  const auto path = DatabaseFilePath(dbPath, treeName);
  if (!path) return s;
  s.path = *path;
  const int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return s;
    return Unreadable(s, *path + ": " + std::strerror(errno));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Unreadable(s, *path + ": not a regular file");
  }
  s.written = st.st_mtime;
  constexpr std::size_t kChunk = 1 << 20;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
  for (;;) {
    const ssize_t n = ::read(fd, buffer.get(), kChunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::string reason = *path + ": " + std::strerror(errno);
      ::close(fd);
      return Unreadable(s, reason);
    }
    if (n == 0) break;
    for (const char *p = buffer.get(), *end = p + n;
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
         ++p) {
      ++s.records;
    }
  }
  ::close(fd);
  s.status = DatabaseState::Status::kPresent;
  return s;
}

std::string DatabaseStateText(const DatabaseState& state) {
  switch (state.status) {
    case DatabaseState::Status::kMissing:
      return "No workstation database yet";
    case DatabaseState::Status::kUnreadable:
      return "Workstation database unreadable: " + state.reason;
    case DatabaseState::Status::kPresent:
      break;
  }
  std::tm local{};
  char when[32] = "";
  if (::localtime_r(&state.written, &local))
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
  return GroupThousands(state.records) + (state.records == 1 ? " workstation" : " workstations") +
         ", built " + when;
}

}  // namespace cvx
