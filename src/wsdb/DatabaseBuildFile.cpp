#include "wsdb/DatabaseBuildFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "wsdb/DatabasePath.h"
#include "wsdb/StagingFiles.h"

namespace cvx {

namespace {

std::string Explain(const std::string& file, int err) {
  return file + ": " + std::strerror(err);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

DatabaseBuildFile DatabaseBuildFile::Open(const std::string& dbPath, const std::string& treeName,
                                          DatabaseWriteMode mode) {
  DatabaseBuildFile f;
  f.mode_ = mode;
  if (dbPath.empty()) {
    f.Fail(Fault::kDirectoryMissing, "no database directory");
    return f;
  }
  const auto path = DatabaseFilePath(dbPath, treeName);
  if (!path) {
    f.Fail(Fault::kTreeNameRefused, "the tree name \"" + treeName + "\" cannot name a file");
    return f;
  }
  f.path_ = *path;

  struct stat dir {};
  if (::stat(dbPath.c_str(), &dir) != 0) {
    const int err = errno;
    f.Fail(err == ENOENT || err == ENOTDIR ? Fault::kDirectoryMissing : Fault::kNotWritable,
           Explain(dbPath, err));
    return f;
  }
  if (!S_ISDIR(dir.st_mode)) {
    f.Fail(Fault::kDirectoryMissing, Explain(dbPath, ENOTDIR));
    return f;
  }
  // A database that is a symbolic link stays one: its target is the file replaced.
  struct stat link {};
  f.target_ = f.path_;
  if (::lstat(f.path_.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char resolved[PATH_MAX];
    if (!::realpath(f.path_.c_str(), resolved)) {
      f.Fail(Fault::kNotKept, Explain(f.path_ + " (a symbolic link)", errno));
      return f;
    }
    f.target_ = resolved;
  }
  // The old file must be one the build could overwrite, as truncating it would need.
  struct stat old {};
  const bool haveOld = ::stat(f.target_.c_str(), &old) == 0;
  if (haveOld && !S_ISREG(old.st_mode)) {
    f.Fail(Fault::kNotWritable, f.path_ + ": not a regular file");
    return f;
  }
  if (haveOld && ::faccessat(AT_FDCWD, f.target_.c_str(), W_OK, AT_EACCESS) != 0) {
    f.Fail(Fault::kNotWritable, Explain(f.path_, errno));
    return f;
  }

  RemoveStaleStagingFiles(f.target_);
  // A name of this process's own, so that two builds of one tree never share a file.
  for (int n = 0; f.fd_ < 0; ++n) {
    f.staging_ = StagingFileName(f.target_, ::getpid(), n);
    f.fd_ = ::open(f.staging_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (f.fd_ >= 0) break;
    const int err = errno;
    if (err == EEXIST && n < 100) continue;
    const std::string reason = Explain(f.staging_, err);
    f.staging_.clear();
    f.Fail(err == ENOENT || err == ENOTDIR ? Fault::kDirectoryMissing : Fault::kNotWritable,
           reason);
    return f;
  }
  RegisterStagingFile(f.staging_);
  if (haveOld && !f.KeepOwnership(old)) {
    f.Abandon();
    return f;
  }
  if (mode == DatabaseWriteMode::kAppend && haveOld && !f.CopyCurrentRecords()) f.Abandon();
  if (f.fd_ >= 0) f.kept_ = ::lseek(f.fd_, 0, SEEK_CUR);
  return f;
}

DatabaseBuildFile::DatabaseBuildFile(DatabaseBuildFile&& other) noexcept
    : fault_(other.fault_),
      mode_(other.mode_),
      reason_(std::move(other.reason_)),
      path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      staging_(std::exchange(other.staging_, {})),
      fd_(std::exchange(other.fd_, -1)),
      kept_(other.kept_) {}

DatabaseBuildFile& DatabaseBuildFile::operator=(DatabaseBuildFile&& other) noexcept {
  if (this != &other) {
    Abandon();
    fault_ = other.fault_;
    mode_ = other.mode_;
    reason_ = std::move(other.reason_);
    path_ = std::move(other.path_);
    target_ = std::move(other.target_);
    staging_ = std::exchange(other.staging_, {});
    fd_ = std::exchange(other.fd_, -1);
    kept_ = other.kept_;
  }
  return *this;
}

DatabaseBuildFile::~DatabaseBuildFile() {
  Abandon();
}

void DatabaseBuildFile::Fail(Fault fault, const std::string& reason) {
  if (fault_ != Fault::kNone) return;  // the first fault is the one to report
  fault_ = fault;
  reason_ = reason;
}

bool DatabaseBuildFile::KeepOwnership(const struct stat& old) {
  struct stat now {};
  if (::fstat(fd_, &now) != 0) {
    Fail(Fault::kWriteFailed, Explain(staging_, errno));
    return false;
  }
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    // Only root can give a file away. Another member of a group that shares a group-writable
    // database rebuilds it as its own, with the group and mode kept: the group is what grants
    // the sharing. Anything else would take rights from the users of the old file.
    const bool owned = ::fchown(fd_, old.st_uid, old.st_gid) == 0;
    const bool grouped = owned || ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) == 0;
    if (!grouped || (!owned && (old.st_mode & S_IWGRP) == 0)) {
      Fail(Fault::kNotKept, path_ + ": its owner " + std::to_string(old.st_uid) + " and group " +
                                std::to_string(old.st_gid) + " cannot be kept (" +
                                std::strerror(EPERM) + ")");
      return false;
    }
  }
  // After the owner: a change of owner clears the set-user-ID and set-group-ID bits.
  if (::fchmod(fd_, old.st_mode & 07777) != 0) {
    Fail(Fault::kNotKept, Explain(path_, errno));
    return false;
  }
  return true;
}

bool DatabaseBuildFile::CopyCurrentRecords() {
  const int in = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) {
    if (errno == ENOENT) return true;  // removed meanwhile: nothing to keep
    Fail(Fault::kNotWritable, Explain(path_, errno));
    return false;
  }
  constexpr std::size_t kChunk = 1 << 20;
  const auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
  bool good = true;
  while (good) {
    const ssize_t n = ::read(in, buffer.get(), kChunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      Fail(Fault::kNotWritable, Explain(path_, errno));
      good = false;
    } else if (n == 0) {
      break;
    } else if (!WriteAll(fd_, buffer.get(), static_cast<std::size_t>(n))) {
      Fail(Fault::kWriteFailed, Explain(staging_, errno));
      good = false;
    }
  }
  ::close(in);
  return good;
}

bool DatabaseBuildFile::Write(std::string_view bytes) {
  if (fault_ != Fault::kNone || fd_ < 0) return false;
  if (WriteAll(fd_, bytes.data(), bytes.size())) return true;
  Fail(Fault::kWriteFailed, Explain(staging_, errno));
  return false;
}

bool DatabaseBuildFile::Rewind() {
  if (fault_ != Fault::kNone || fd_ < 0) return false;
  if (::ftruncate(fd_, kept_) == 0 && ::lseek(fd_, kept_, SEEK_SET) == kept_) return true;
  Fail(Fault::kWriteFailed, Explain(staging_, errno));
  return false;
}

bool DatabaseBuildFile::Commit(bool recordsWritten) {
  if (fault_ != Fault::kNone || fd_ < 0) {
    Abandon();
    return false;
  }
  if (!recordsWritten) {
    Abandon();
    if (mode_ == DatabaseWriteMode::kReplace && ::unlink(target_.c_str()) != 0 && errno != ENOENT) {
      Fail(Fault::kWriteFailed, Explain(path_, errno));
      return false;
    }
    return true;
  }
  // On disk before the rename, so that a crash never leaves an empty database behind.
  if (::fdatasync(fd_) != 0) {
    Fail(Fault::kWriteFailed, Explain(staging_, errno));
  } else if (::close(std::exchange(fd_, -1)) != 0) {
    Fail(Fault::kWriteFailed, Explain(staging_, errno));
  } else if (::rename(staging_.c_str(), target_.c_str()) != 0) {
    Fail(Fault::kWriteFailed, Explain(staging_, errno));
  }
  if (fault_ != Fault::kNone) {
    Abandon();
    return false;
  }
  UnregisterStagingFile(staging_);
  staging_.clear();
  return true;
}

void DatabaseBuildFile::Abandon() {
  if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  if (staging_.empty()) return;
  ::unlink(staging_.c_str());
  UnregisterStagingFile(std::exchange(staging_, {}));
}

}  // namespace cvx
