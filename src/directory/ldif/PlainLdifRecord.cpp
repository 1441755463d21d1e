#include "directory/ldif/PlainLdifRecord.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/TextUtil.h"

namespace cvx {

namespace {

constexpr std::uint8_t kNotBase64 = 0xff;

constexpr std::array<std::uint8_t, 256> Base64Table() {
  std::array<std::uint8_t, 256> t{};
  for (auto& v : t) v = kNotBase64;
  const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::uint8_t i = 0; i < 64; ++i) t[static_cast<unsigned char>(digits[i])] = i;
  return t;
}
constexpr auto kBase64 = Base64Table();

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsTypeChar(char c) {
  return IsLetter(c) || (c >= '0' && c <= '9') || c == '-';
}

// Decodes base64 the reader found whole (groups of four, "=" only at the end) over itself; the
// decoded text is shorter.
std::string_view DecodeInPlace(std::string_view s) {
  char* out = const_cast<char*>(s.data());
  std::size_t n = 0;
  std::uint32_t bits = 0;
  int held = 0;
  for (char c : s) {
    if (c == '=') break;
    bits = (bits << 6) | kBase64[static_cast<unsigned char>(c)];
    held += 6;
    if (held >= 8) {
      held -= 8;
      out[n++] = static_cast<char>((bits >> held) & 0xff);
    }
  }
  return std::string_view(out, n);
}

// The first byte below a blank (a line end among them), or DEL; `end` when there is none. Eight
// bytes at a time, since values are most of the text. Borrows run upwards, so the lowest byte
// the test marks is a real one.
const char* FirstControlCharacter(const char* p, const char* end) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL, kHigh = 0x8080808080808080ULL;
  for (; end - p >= 8; p += 8) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    const std::uint64_t del = x ^ (kOnes * 0x7f);
    const std::uint64_t marks = (((x - kOnes * 0x20) & ~x) | ((del - kOnes) & ~del)) & kHigh;
    if (marks) return p + std::countr_zero(marks) / 8;
  }
  for (; p < end; ++p) {
    if (static_cast<unsigned char>(*p) < 0x20 || *p == 0x7f) return p;
  }
  return end;
}

bool SameType(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a == b || EqualsNoCase(a, b));
}

// Types that make a record something other than a plain entry.
bool IsKeyword(std::string_view type) {
  switch (type.size()) {
    case 2:
      return EqualsNoCase(type, "dn");
    case 7:
      return EqualsNoCase(type, "control") || EqualsNoCase(type, "version");
    case 10:
      return EqualsNoCase(type, "changetype");
    default:
      return false;
  }
}

struct Line {
  std::string_view type;
  std::string_view value;
  bool base64 = false;
};

}  // namespace

bool ReadPlainLdifRecord(char* text, std::size_t size, PlainLdifRecord& out) {
  out.attributes.clear();
  out.values.clear();
  thread_local std::vector<Line> lines;
  thread_local std::vector<std::size_t> groupOf;
  lines.clear();
  const char* p = text;
  const char* const end = text + size;
  while (p < end && *p == '#') {  // comments before the entry
    const auto* nl = static_cast<const char*>(std::memchr(p, '\n', end - p));
    p = nl ? nl + 1 : end;
  }
  while (p < end) {
    if (!IsLetter(*p)) return false;  // folding, comments, "-", an OID
    const char* q = p + 1;
    while (q < end && IsTypeChar(*q)) ++q;
    if (q == end || *q != ':') return false;
    Line l;
    l.type = std::string_view(p, q - p);
    ++q;
    l.base64 = q < end && *q == ':';
    if (l.base64) ++q;
    while (q < end && *q == ' ') ++q;
    const char* value = q;
    if (l.base64) {
      while (q < end && kBase64[static_cast<unsigned char>(*q)] != kNotBase64) ++q;
      for (int pad = 0; pad < 2 && q < end && *q == '='; ++pad) ++q;
    } else {
      // Up to the line's end; any other control character (a tab and the like) is the parser's.
      q = FirstControlCharacter(q, end);
    }
    if (q < end && *q != '\n') return false;
    l.value = std::string_view(value, q - value);
    if (l.base64 ? l.value.empty() || l.value.size() % 4 != 0
                 : !l.value.empty() && (l.value.front() == ':' || l.value.front() == '<' ||
                                        l.value.back() == ' ')) {
      return false;
    }
    if (lines.empty() ? l.type != "dn" : IsKeyword(l.type)) return false;
    lines.push_back(l);
    p = q < end ? q + 1 : end;
  }
  if (lines.size() < 2) return false;

  // Accepted: decode, then gather the values of each type.
  for (auto& l : lines) {
    if (l.base64) l.value = DecodeInPlace(l.value);
  }
  out.dn = lines[0].value;
  groupOf.assign(lines.size(), 0);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::size_t g = out.attributes.size();
    // Repeated types mostly follow each other: the last type is tried first.
    if (g && SameType(out.attributes.back().type, lines[i].type)) {
      g = out.attributes.size() - 1;
    } else {
      for (std::size_t k = 0; k < out.attributes.size(); ++k) {
        if (SameType(out.attributes[k].type, lines[i].type)) {
          g = k;
          break;
        }
      }
    }
    if (g == out.attributes.size()) out.attributes.push_back({lines[i].type, 0, 0});
    ++out.attributes[g].valueCount;
    groupOf[i] = g;
  }
  std::size_t next = 0;
  for (auto& a : out.attributes) {
    a.firstValue = next;
    next += a.valueCount;
    a.valueCount = 0;
  }
  out.values.resize(next);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    auto& a = out.attributes[groupOf[i]];
    out.values[a.firstValue + a.valueCount++] = lines[i].value;
  }
  return true;
}

}  // namespace cvx
