#pragma once

#include <cstddef>
#include <ctime>
#include <string>

namespace cvx {

// How current the database of a tree is: whether there is one, how many records it holds and
// when it was last written.
struct DatabaseState {
  enum class Status { kPresent, kMissing, kUnreadable };
  Status status = Status::kMissing;
  std::size_t records = 0;
  std::time_t written = 0;  // last modification
  std::string path;
  std::string reason;  // for kUnreadable
};

// Reads DBPath/TREE.lst; the records are its complete lines.
DatabaseState ReadDatabaseState(const std::string& dbPath, const std::string& treeName);

// "1,204 workstations, built 2026-12-01 06:00" (local time), "No workstation database yet", or
// why it cannot be read.
std::string DatabaseStateText(const DatabaseState& state);

}  // namespace cvx
