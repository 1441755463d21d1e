#include "core/PrintableText.h"

#include <cstdio>

namespace cvx {
namespace {

// Length of the valid UTF-8 sequence that starts at s[i], or 0 when it is not one (overlong
// forms, surrogates and code points past U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  const auto b1 = static_cast<unsigned char>(s[i + 1]);
  if (b1 < lo || b1 > hi) return 0;
  for (std::size_t k = 2; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (b < 0x80 || b > 0xBF) return 0;
  }
  return len;
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

void AppendHex(std::string& out, unsigned char c) {
  char buf[5];
  std::snprintf(buf, sizeof buf, "\\x%02x", c);
  out += buf;
}

}  // namespace

std::string PrintableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (!IsControl(c)) {
        out += static_cast<char>(c);
      } else if (c == '\n') {
        out += "\\n";
      } else if (c == '\r') {
        out += "\\r";
      } else if (c == '\t') {
        out += "\\t";
      } else {
        AppendHex(out, c);
      }
      ++i;
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 0) {
      AppendHex(out, c);
      ++i;
    } else {
      out.append(text.substr(i, len));
      i += len;
    }
  }
  return out;
}

std::string UnprintableReason(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (IsControl(c)) return "a control character";
      ++i;
      continue;
    }
    const std::size_t len = Utf8SequenceLength(text, i);
    if (len == 0) return "invalid UTF-8";
    i += len;
  }
  return {};
}

}  // namespace cvx
