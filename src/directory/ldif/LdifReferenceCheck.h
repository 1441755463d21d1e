#pragma once

#include <optional>
#include <string_view>

namespace cvx {

// A tree file is data: it may not pull other files into the tree. The LDAP library's LDIF reader
// would follow "include:" lines and "attr:< URL" values, so both are found first and refused.

// What is refused in a tree file before any record is parsed (an "include:" line, a raw NUL
// byte), and on which line.
struct RefusedLine {
  unsigned long line = 0;
  const char* what = "";
};

// The line number of the first value given by URL ("attr:< file://...") in one record's text,
// folded lines and all; firstLine is the line the record starts on.
std::optional<unsigned long> FindUrlValue(const char* record, unsigned long firstLine);

}  // namespace cvx
