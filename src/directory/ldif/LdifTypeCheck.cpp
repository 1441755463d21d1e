#include "directory/ldif/LdifTypeCheck.h"

namespace cvx {

std::optional<unsigned long> FindLineWithoutType(const char* record, unsigned long firstLine) {
  // Continuation lines start with a blank and comments with "#", so every line that starts with
  // a colon starts a line of its own.
  unsigned long line = firstLine;
  for (const char* p = record; *p; ++line) {
    if (*p == ':') return line;
    while (*p && *p != '\n') ++p;
    if (*p) ++p;
  }
  return std::nullopt;
}

}  // namespace cvx
