#include "directory/ldif/LdifRecords.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/TextUtil.h"

namespace cvx {

LdifRecords::LdifRecords(char* text, std::size_t size) : text_(text), size_(size) {
  constexpr std::string_view kInclude = "include:";
  const auto* nul = static_cast<const char*>(std::memchr(text, '\0', size));
  const std::size_t nulAt = nul ? static_cast<std::size_t>(nul - text) : size;
  records_.reserve(size / 256);
  Span span;
  span.firstLine = 1;
  bool found = false;       // the entry's first line is seen
  bool topComment = false;  // a comment before the entry, whose continuation lines belong to it
  unsigned long line = 1;
  for (std::size_t pos = 0; pos < size; ++line) {
    const std::size_t lineStart = pos;
    const char c = text[lineStart];
    const auto* newline = static_cast<const char*>(std::memchr(text + pos, '\n', size - pos));
    pos = newline ? static_cast<std::size_t>(newline - text) + 1 : size;
    if (!refused_ && (c == 'i' || c == 'I') && lineStart < nulAt &&
        EqualsNoCase(
            std::string_view(text + lineStart, std::min(nulAt - lineStart, pos - lineStart))
                .substr(0, kInclude.size()),
            kInclude)) {
      refused_ = RefusedLine{line, "\"include:\" lines are not allowed in a tree file"};
    }
    if (c == '\n' || (c == '\r' && lineStart + 1 < size && text[lineStart + 1] == '\n')) {
      if (found) {
        span.end = lineStart;
        records_.push_back(span);
        found = false;
      }
      // Blank lines, and the comments before them, are nothing.
      span = Span{pos, pos, 0, 0, line + 1, false};
      topComment = false;
      continue;
    }
    if (newline && newline > text + lineStart && newline[-1] == '\r') span.crlf = true;
    if (found) continue;
    if (c == '#') {
      topComment = true;
    } else if (!(topComment && c == ' ')) {
      found = true;
      if (c >= '0' && c <= '9') {
        span.numberStart = lineStart;
        span.numberEnd = pos;
      }
    }
  }
  if (found) {
    span.end = size;
    records_.push_back(span);
  }
  if (nul) {
    const unsigned long nulLine =
        1 + static_cast<unsigned long>(std::count(text, text + nulAt, '\n'));
    if (!refused_ || nulLine < refused_->line) {
      refused_ = RefusedLine{nulLine, "a NUL byte is not allowed in a tree file"};
    }
  }
}

LdifRecordText LdifRecords::Take(std::size_t i) {
  Span s = records_[i];
  const std::size_t offset = s.start, extent = s.end - s.start;
  const bool atTextEnd = s.end == size_;
  if (s.numberEnd > s.numberStart) {
    // The number line goes; comments before it move up to the rest of the record.
    const std::size_t shift = s.numberEnd - s.numberStart;
    std::memmove(text_ + s.start + shift, text_ + s.start, s.numberStart - s.start);
    s.start += shift;
  }
  if (s.crlf) {
    std::size_t to = s.start;
    for (std::size_t from = s.start; from < s.end; ++from) {
      if (text_[from] == '\r' && from + 1 < s.end && text_[from + 1] == '\n') continue;
      text_[to++] = text_[from];
    }
    s.end = to;
  }
  // The parser counts lines by their line ends, and would write past its arrays for a last line
  // without one: the text's last record gets one.
  if (atTextEnd && s.end > s.start && text_[s.end - 1] != '\n') text_[s.end++] = '\n';
  text_[s.end] = '\0';
  return LdifRecordText{text_ + s.start, s.end - s.start, s.firstLine, offset, extent};
}

}  // namespace cvx
