#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// Longest record line a reader accepts, line end excluded. Real records hold a full name and two
// short addresses; anything longer is damage and is skipped.
inline constexpr std::size_t kMaxRecordLength = 64 * 1024;

// One line of the workstation database: "full name","first address","second address". The
// fields are views into the line they were read from.
struct WorkstationRecord {
  std::string_view fullName;
  std::string_view address1;
  std::string_view address2;
};

// Reads one line (without its LF; a final CR is dropped). Each field runs from its opening
// quotation mark to the next one, so a field may hold commas. A line that is not exactly three
// such fields separated by single commas, is longer than kMaxRecordLength, holds a control
// character or is not valid UTF-8 gives nothing: readers skip it.
std::optional<WorkstationRecord> ParseWorkstationRecord(std::string_view line);

// True when the text can be written as a field and read back unchanged: valid UTF-8, without
// quotation marks and control characters.
bool IsWritableRecordField(std::string_view field);

// The line for one record, CR LF included; nothing when a field cannot be written or the line
// would be too long to be read back.
std::optional<std::string> FormatWorkstationRecord(std::string_view fullName,
                                                   std::string_view address1,
                                                   std::string_view address2);
// The same line appended to `out`; false, with `out` unchanged, where there is none.
bool AppendWorkstationRecord(std::string& out, std::string_view fullName, std::string_view address1,
                             std::string_view address2);

}  // namespace cvx
