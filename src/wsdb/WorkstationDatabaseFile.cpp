#include "wsdb/WorkstationDatabaseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "core/AddressKeyMatch.h"
#include "core/NoCaseFinder.h"
#include "core/WorkstationRecord.h"
#include "wsdb/DatabasePath.h"
#include "wsdb/Windows1252.h"

namespace cvx {

namespace {

// Large enough that reads cost little next to the search, small enough to stay in cache;
// always more than the longest record, so every record fits whole.
constexpr std::size_t kBlockSize = 1 << 20;
static_assert(kBlockSize > kMaxRecordLength + 2);

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

const char* FindByte(const char* begin, const char* end, char c) {
  const void* at = std::memchr(begin, c, static_cast<std::size_t>(end - begin));
  return at ? static_cast<const char*>(at) : end;
}

const char* FindLastByte(const char* begin, const char* end, char c) {
  const void* at = ::memrchr(begin, c, static_cast<std::size_t>(end - begin));
  return at ? static_cast<const char*>(at) : nullptr;
}

// Searches the complete lines in [begin, end) for the first record holding the key.
std::optional<std::string> FindInLines(const char* begin, const char* end,
                                       const NoCaseFinder& finder, std::string_view key) {
  const bool asciiKey = std::all_of(key.begin(), key.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  const char* p = begin;
  while (p < end) {
    const char* hit = finder.Find(p, end);
    if (hit == end) return std::nullopt;
    const char* lineStart = FindLastByte(begin, hit, '\n');
    lineStart = lineStart ? lineStart + 1 : begin;
    const char* lineEnd = FindByte(hit, end, '\n');
    const std::string_view line(lineStart, static_cast<std::size_t>(lineEnd - lineStart));
    // A line that is not UTF-8 was written by another tool in the system's 8-bit code page.
    // Address keys are ASCII, which that reading leaves as they are, so the search for the
    // key's bytes above still finds every line that can match.
    std::string converted;
    const auto record =
        asciiKey ? ParseDatabaseLine(line, converted) : ParseWorkstationRecord(line);
    if (record && RecordMatchesKey(*record, key)) return std::string(record->fullName);
    // This record is settled, whatever else on its line looks like the key.
    p = lineEnd < end ? lineEnd + 1 : end;
  }
  return std::nullopt;
}

}  // namespace

WorkstationDatabaseFile::WorkstationDatabaseFile(const std::string& dbPath,
                                                 const std::string& treeName) {
  if (dbPath.empty()) {
    fault_ = DatabaseFault::kDirectoryMissing;
    return;
  }
  const auto path = DatabaseFilePath(dbPath, treeName);
  if (!path) {
    fault_ = DatabaseFault::kFileMissing;
    reason_ = "the tree name \"" + treeName + "\" cannot name a file";
    return;
  }
  // Non-blocking, so that a FIFO in the file's place cannot hang the window.
  fd_ = ::open(path->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) {
    const int err = errno;
    reason_ = *path + ": " + std::strerror(err);
    if (err == ENOENT) {
      fault_ = IsDirectory(dbPath) ? DatabaseFault::kFileMissing : DatabaseFault::kDirectoryMissing;
    } else if (err == ENOTDIR) {
      fault_ = DatabaseFault::kDirectoryMissing;
    } else {
      fault_ = DatabaseFault::kUnreadable;
    }
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    fault_ = DatabaseFault::kUnreadable;
    reason_ = *path + ": not a regular file";
    ::close(fd_);
    fd_ = -1;
  }
}

WorkstationDatabaseFile::~WorkstationDatabaseFile() {
  if (fd_ >= 0) ::close(fd_);
}

DatabaseLookup WorkstationDatabaseFile::Find(std::string_view key) const {
  if (fault_ != DatabaseFault::kNone) return DatabaseLookup{fault_, std::nullopt, reason_};
  if (!IsMatchableKey(key)) return {};
  const NoCaseFinder finder(key);
  const auto buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
  char* const buf = buffer.get();
  std::size_t have = 0;   // bytes in buf
  off_t offset = 0;       // file position of buf + have
  bool skipping = false;  // inside a line too long for the buffer
  while (true) {
    const ssize_t n = ::pread(fd_, buf + have, kBlockSize - have, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      return DatabaseLookup{DatabaseFault::kUnreadable, std::nullopt, std::strerror(errno)};
    }
    offset += n;
    have += static_cast<std::size_t>(n);
    const bool atEnd = n == 0;
    const char* end = atEnd ? buf + have : FindLastByte(buf, buf + have, '\n');
    if (!end) {
      if (have < kBlockSize) continue;  // a short read: the line may end in the next one
      skipping = true;                  // longer than any record: drop it up to its end
      have = 0;
      continue;
    }
    if (!atEnd) ++end;  // keep the LF with its line
    const char* begin = buf;
    if (skipping) {
      begin = FindByte(buf, end, '\n');
      begin = begin < end ? begin + 1 : end;
      skipping = false;
    }
    if (auto name = FindInLines(begin, end, finder, key)) return DatabaseLookup{{}, name, {}};
    if (atEnd) return {};
    have = static_cast<std::size_t>(buf + have - end);
    std::memmove(buf, end, have);
  }
}

DatabaseLookup LookupWorkstation(const std::string& dbPath, const std::string& treeName,
                                 std::string_view key) {
  return WorkstationDatabaseFile(dbPath, treeName).Find(key);
}

}  // namespace cvx
