#include "core/TextUtil.h"

#include <algorithm>

namespace cvx {

namespace {
char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

std::string ToUpperAscii(std::string_view s) {
  std::string out;
  ToUpperAsciiInto(s, out);
  return out;
}

void ToUpperAsciiInto(std::string_view s, std::string& out) {
  out.resize(s.size());
  std::transform(s.begin(), s.end(), out.begin(), UpperAscii);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

bool ContainsNoCase(std::string_view haystack, std::string_view needle) {
  const auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                              [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
  return it != haystack.end() || needle.empty();
}

std::size_t NoCaseHash::operator()(std::string_view s) const {
  std::size_t h = 14695981039346656037ull;  // FNV-1a
  for (const char c : s) {
    h ^= static_cast<unsigned char>(UpperAscii(c));
    h *= 1099511628211ull;
  }
  return h;
}

std::vector<std::string> SplitCommaList(std::string_view s) {
  std::vector<std::string> parts;
  while (true) {
    const auto comma = s.find(',');
    const auto part = TrimBlanks(s.substr(0, comma));
    if (!part.empty()) parts.emplace_back(part);
    if (comma == std::string_view::npos) break;
    s.remove_prefix(comma + 1);
  }
  return parts;
}

bool WildcardMatchNoCase(std::string_view pattern, std::string_view text) {
  // Iterative match with one backtrack point: linear for the patterns a search box produces.
  std::size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starT = t;
    } else if (p < pattern.size() && UpperAscii(pattern[p]) == UpperAscii(text[t])) {
      ++p;
      ++t;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace cvx
