#include "directory/ldif/LdifReferenceCheck.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/TextUtil.h"

namespace cvx {

std::optional<RefusedLine> FindRefusedLine(const std::string& path) {
  constexpr std::string_view kInclude = "include:";
  std::unique_ptr<FILE, decltype(&std::fclose)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return std::nullopt;
  // Streamed in blocks: only the first few characters of each line matter.
  std::string head;  // the start of the current line, up to the keyword's length
  bool atLineStart = true;
  unsigned long line = 1;
  char block[1 << 16];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, f.get())) > 0) {
    for (std::size_t i = 0; i < got; ++i) {
      const char c = block[i];
      if (c == '\0') return RefusedLine{line, "a NUL byte is not allowed in a tree file"};
      if (c == '\n') {
        ++line;
        head.clear();
        atLineStart = true;
        continue;
      }
      if (!atLineStart) continue;
      head += c;
      if (head.size() == kInclude.size()) {
        if (EqualsNoCase(head, kInclude)) {
          return RefusedLine{line, "\"include:\" lines are not allowed in a tree file"};
        }
        atLineStart = false;
      }
    }
  }
  return std::nullopt;
}

std::optional<unsigned long> FindUrlValue(const char* record, unsigned long firstLine) {
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
