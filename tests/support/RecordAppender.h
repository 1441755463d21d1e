#pragma once

#include <string>
#include <string_view>

namespace cvx {

// What became of one record to append: why it was not appended, or nothing.
struct AppendResult {
  std::string reason;

  bool ok() const { return reason.empty(); }
};

// Appends one record to DBPath/TREE.lst, creating the file when it is missing, and closes the
// file again. A record that could not be read back unchanged is refused rather than written.
AppendResult AppendWorkstationRecord(const std::string& dbPath, const std::string& treeName,
                                     std::string_view fullName, std::string_view address1,
                                     std::string_view address2);

}  // namespace cvx
