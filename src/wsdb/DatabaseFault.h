#pragma once

namespace cvx {

// Why the workstation database could not be read. The first two are the ones administrators
// are told to fix by building a new file.
enum class DatabaseFault {
  kNone,
  kDirectoryMissing,
  kFileMissing,  // also: a tree name that cannot name a file
  kUnreadable,   // there, but opening or reading it failed (rights, not a file, I/O error)
};

}  // namespace cvx
