#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

struct stat;

namespace cvx {

// How a build treats the database it finds: its records stay and the new ones follow, or the new
// records replace them.
enum class DatabaseWriteMode { kAppend, kReplace };

// The file a database build writes. The records go to a new file beside DBPath/TREE.lst, which
// for kAppend starts as a copy of the current file; only Commit puts it in place, with one
// rename. Until then readers see the previous database whole, and a build that fails half-way
// (the search reports an error, the disk fills up, the file is removed) leaves it as it was.
// The new file gets the old one's owner, group and mode; a database that is a symbolic link
// keeps it, and the file it leads to is replaced. The staging file goes with the process on
// SIGINT, SIGTERM and SIGHUP; one left by a killed process goes with the next build.
class DatabaseBuildFile {
 public:
  enum class Fault {
    kNone,
    kDirectoryMissing,  // DBPath is not there (or is not a directory)
    kNotWritable,       // no rights, a read-only file system, TREE.lst not a writable file ...
    kTreeNameRefused,   // the tree name cannot name a file
    kWriteFailed,       // a write, the final sync or the rename failed
    kNotKept,           // the old file's owner, group or mode cannot be kept, or it is a
                        // symbolic link that leads nowhere
  };

  // Prepares a build of DBPath/TREE.lst. Check fault() before writing.
  static DatabaseBuildFile Open(const std::string& dbPath, const std::string& treeName,
                                DatabaseWriteMode mode);

  DatabaseBuildFile(DatabaseBuildFile&& other) noexcept;
  DatabaseBuildFile& operator=(DatabaseBuildFile&& other) noexcept;
  DatabaseBuildFile(const DatabaseBuildFile&) = delete;
  DatabaseBuildFile& operator=(const DatabaseBuildFile&) = delete;
  // Abandons the build unless it was committed.
  ~DatabaseBuildFile();

  Fault fault() const { return fault_; }
  bool ok() const { return fault_ == Fault::kNone; }
  // What the system said, with the file it concerns.
  const std::string& reason() const { return reason_; }
  // The database file, DBPath/TREE.lst (empty when the tree name was refused).
  const std::string& path() const { return path_; }
  DatabaseWriteMode mode() const { return mode_; }

  // Writes bytes to the new file at once (no buffering of ours). False, with kWriteFailed,
  // when the system took them not all; later writes then do nothing.
  bool Write(std::string_view bytes);
  // Drops what was written since Open (a search that started over); the old records kAppend
  // keeps stay. False, with kWriteFailed, when that failed.
  bool Rewind();

  // Puts the build in place. kReplace: the new file replaces the old one; without records the
  // database is removed, as a build that found nothing leaves it. kAppend: the old records with
  // the new ones; without new records the old file is not touched. False, with kWriteFailed,
  // when that failed: the previous file then stands.
  bool Commit(bool recordsWritten);

  // Drops the new file; the previous one stands. Nothing happens after a commit.
  void Abandon();

 private:
  DatabaseBuildFile() = default;
  void Fail(Fault fault, const std::string& reason);
  bool KeepOwnership(const struct stat& old);
  bool CopyCurrentRecords();

  Fault fault_ = Fault::kNone;
  DatabaseWriteMode mode_ = DatabaseWriteMode::kReplace;
  std::string reason_;
  std::string path_;     // DBPath/TREE.lst
  std::string target_;   // the file replaced: path_, or where the symbolic link path_ leads
  std::string staging_;  // the new file beside it, while the build runs
  int fd_ = -1;
  off_t kept_ = 0;  // the old records' end in the new file
};

}  // namespace cvx
