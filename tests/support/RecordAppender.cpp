#include "support/RecordAppender.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/WorkstationRecord.h"
#include "wsdb/DatabasePath.h"

namespace cvx {

AppendResult AppendWorkstationRecord(const std::string& dbPath, const std::string& treeName,
                                     std::string_view fullName, std::string_view address1,
                                     std::string_view address2) {
  using Status = AppendResult::Status;
  if (dbPath.empty()) return {Status::kDirectoryMissing, "no database directory"};
  const auto path = DatabaseFilePath(dbPath, treeName);
  if (!path)
    return {Status::kTreeNameRefused, "the tree name \"" + treeName + "\" cannot name a file"};
  const auto line = FormatWorkstationRecord(fullName, address1, address2);
  if (!line)
    return {Status::kRecordRefused, "a field of " + std::string(fullName) + " cannot be stored"};

  const int fd = ::open(path->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int err = errno;
    const Status status =
        err == ENOENT || err == ENOTDIR ? Status::kDirectoryMissing : Status::kWriteFailed;
    return {status, *path + ": " + std::strerror(err)};
  }
  // One write per record: with O_APPEND a record is never interleaved with another writer's.
  std::size_t done = 0;
  while (done < line->size()) {
    const ssize_t n = ::write(fd, line->data() + done, line->size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string reason = *path + ": " + std::strerror(n < 0 ? errno : EIO);
      ::close(fd);
      return {Status::kWriteFailed, reason};
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) return {Status::kWriteFailed, *path + ": " + std::strerror(errno)};
  return {};
}

}  // namespace cvx
