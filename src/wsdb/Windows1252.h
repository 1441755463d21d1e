#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/WorkstationRecord.h"

namespace cvx {

// Text in Windows-1252 (the 8-bit code page databases of other tools are written in) as UTF-8.
// The five bytes the code page leaves unassigned become U+FFFD.
std::string Windows1252ToUtf8(std::string_view text);

// A line of the database as a record: as it stands, else, when it is not UTF-8, read as
// Windows-1252 (`storage` then holds the converted line the record's fields point into).
std::optional<WorkstationRecord> ParseDatabaseLine(std::string_view line, std::string& storage);

}  // namespace cvx
