#pragma once

#include <string>
#include <string_view>

#include "wsdb/DatabaseLookup.h"

namespace cvx {

// The workstation database file of one tree, open for reading while the object lives. Callers
// open it once per key and close it by letting it go.
class WorkstationDatabaseFile {
 public:
  WorkstationDatabaseFile(const std::string& dbPath, const std::string& treeName);
  ~WorkstationDatabaseFile();
  WorkstationDatabaseFile(const WorkstationDatabaseFile&) = delete;
  WorkstationDatabaseFile& operator=(const WorkstationDatabaseFile&) = delete;

  // kNone when the file is open.
  DatabaseFault fault() const { return fault_; }
  const std::string& reason() const { return reason_; }

  // The full name of the first record, in file order, whose first or second address holds the
  // key as a whole token (see RecordMatchesKey). Reads the whole file from its start in large
  // blocks; lines that are not records are skipped. A key that is empty or blanks only matches
  // nothing.
  DatabaseLookup Find(std::string_view key) const;

 private:
  int fd_ = -1;
  DatabaseFault fault_ = DatabaseFault::kNone;
  std::string reason_;
};

// Opens the file, looks the key up and closes it again.
DatabaseLookup LookupWorkstation(const std::string& dbPath, const std::string& treeName,
                                 std::string_view key);

}  // namespace cvx
