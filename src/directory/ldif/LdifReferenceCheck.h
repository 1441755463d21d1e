#pragma once

#include <optional>
#include <string>

namespace cvx {

// A tree file is data: it may not pull other files into the tree. The LDIF reader would follow
// "include:" lines and "attr:< URL" values, so both are found first and refused.

// What is refused in a tree file before any record is parsed, and on which line.
struct RefusedLine {
  unsigned long line = 0;
  const char* what = "";
};

// The first "include:" line of a file (any letter case), or the first line holding a raw NUL
// byte (the reader would end the line there and join what follows to the next record). Nothing
// when the file holds neither or cannot be read (the reader reports that itself).
std::optional<RefusedLine> FindRefusedLine(const std::string& path);

// The line number of the first value given by URL ("attr:< file://...") in one record's text,
// folded lines and all; firstLine is the line the record starts on.
std::optional<unsigned long> FindUrlValue(const char* record, unsigned long firstLine);

}  // namespace cvx
