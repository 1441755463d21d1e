#include "directory/ldif/LdifReferenceCheck.h"

#include <cstring>
#include <string_view>

#include "core/TextUtil.h"

namespace cvx {

std::optional<unsigned long> FindUrlValue(const char* record, unsigned long firstLine) {
  if (!std::strchr(record, '<')) return std::nullopt;  // nearly every record: nothing to walk
  // Folding puts "\n " (or "\r\n ") anywhere in a logical line; step over it.
  auto skipFold = [](const char* p) {
    while ((p[0] == '\n' && p[1] == ' ') || (p[0] == '\r' && p[1] == '\n' && p[2] == ' ')) {
      p += p[0] == '\r' ? 3 : 2;
    }
    return p;
  };
  unsigned long line = firstLine;
  const char* p = record;
  while (*p) {
    const unsigned long logicalLine = line;
    const bool comment = *p == '#';
    // Walk one logical line, looking at the character after its first colon.
    bool colonSeen = false;
    while (*p) {
      const char* next = skipFold(p);
      for (const char* q = p; q < next; ++q) line += *q == '\n';
      p = next;
      if (!*p || *p == '\n') break;
      if (!colonSeen && !comment && *p == ':') {
        colonSeen = true;
        const char* after = skipFold(p + 1);
        if (*after == '<') return logicalLine;
      }
      ++p;
    }
    if (*p == '\n') {
      ++line;
      ++p;
    }
  }
  return std::nullopt;
}

}  // namespace cvx
