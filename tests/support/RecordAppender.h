#pragma once

#include <string>
#include <string_view>

namespace cvx {

// What became of one record to append.
struct AppendResult {
  enum class Status {
    kAppended,
    kDirectoryMissing,
    kTreeNameRefused,  // the tree name cannot name a file
    kRecordRefused,    // a field holds a quotation mark or a control character, or is not UTF-8
    kWriteFailed,      // no rights, disk full, ...
  };
  Status status = Status::kAppended;
  std::string reason;

  bool ok() const { return status == Status::kAppended; }
};

// Appends one record to DBPath/TREE.lst, creating the file when it is missing, and closes the
// file again. A record that could not be read back unchanged is refused rather than written.
AppendResult AppendWorkstationRecord(const std::string& dbPath, const std::string& treeName,
                                     std::string_view fullName, std::string_view address1,
                                     std::string_view address2);

}  // namespace cvx
