#include "directory/ldif/LdifTypeCheck.h"

#include <cstring>

namespace cvx {

namespace {

bool LacksType(const char* line) {
  if (line[0] == '-' && (line[1] == '\n' || line[1] == '\0')) return true;
  // A blank starts a continuation; the parser skips any other white space before a name.
  while (*line == '\t' || *line == '\v' || *line == '\f' || *line == '\r') ++line;
  return *line == ':';
}

}  // namespace

std::optional<unsigned long> FindLineWithoutType(const char* record, unsigned long firstLine) {
  unsigned long line = firstLine;
  for (const char* p = record; *p; ++line) {
    if (LacksType(p)) return line;
    const char* end = std::strchr(p, '\n');
    if (!end) break;
    p = end + 1;
  }
  return std::nullopt;
}

}  // namespace cvx
