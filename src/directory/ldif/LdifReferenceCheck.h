#pragma once

#include <optional>
#include <string>

namespace cvx {

// A tree file is data: it may not pull other files into the tree. The LDIF reader would follow
// "include:" lines and "attr:< URL" values, so both are found first and refused.

// The line number of the first "include:" line of a file (any letter case), if any. Nothing when
// the file holds none or cannot be read (the reader reports that itself).
std::optional<unsigned long> FindIncludeLine(const std::string& path);

// The line number of the first value given by URL ("attr:< file://...") in one record's text,
// folded lines and all; firstLine is the line the record starts on.
std::optional<unsigned long> FindUrlValue(const char* record, unsigned long firstLine);

}  // namespace cvx
