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
  // Streamed in blocks, line ends found with memchr: only the first few characters of each line
  // matter, and the file is as large as the tree.
  std::string head;  // the start of the current line, up to the keyword's length
  bool atLineStart = true;
  unsigned long line = 1;
  char block[1 << 16];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, f.get())) > 0) {
    const char* p = block;
    const auto* nul = static_cast<const char*>(std::memchr(block, '\0', got));
    const char* end = nul ? nul : block + got;
    while (p < end) {
      if (atLineStart && head.empty() && *p != 'i' && *p != 'I') {
        atLineStart = false;  // nearly every line: not the keyword
      } else if (atLineStart) {
        while (p < end && head.size() < kInclude.size() && *p != '\n') head += *p++;
        if (head.size() == kInclude.size()) {
          if (EqualsNoCase(head, kInclude)) {
            return RefusedLine{line, "\"include:\" lines are not allowed in a tree file"};
          }
          atLineStart = false;
        } else if (p == end) {
          break;  // the block ends inside the line's start
        }
      }
      const auto* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
      if (!newline) break;
      ++line;
      p = newline + 1;
      atLineStart = true;
      head.clear();
    }
    if (nul) return RefusedLine{line, "a NUL byte is not allowed in a tree file"};
  }
  return std::nullopt;
}

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
