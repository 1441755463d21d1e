#include "core/LdapFilterText.h"

namespace cvx {

namespace {

bool NeedsEscape(unsigned char c) {
  return c == '*' || c == '(' || c == ')' || c == '\\' || c == 0 || c >= 0x80;
}

void AppendEscaped(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '\\';
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

}  // namespace

std::string EscapeLdapFilterValue(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char ch : value) {
    const auto c = static_cast<unsigned char>(ch);
    if (NeedsEscape(c)) {
      AppendEscaped(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

std::string LdapWildcardFilterValue(std::string_view pattern) {
  std::string out;
  out.reserve(pattern.size());
  for (const char ch : pattern) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '*') {
      // "**" is no valid substring filter: one star means the same. (An escape never ends in
      // a star, so the last character tells.)
      if (out.empty() || out.back() != '*') out += '*';
    } else if (NeedsEscape(c)) {
      AppendEscaped(out, c);
    } else {
      out += ch;
    }
  }
  return out;
}

bool IsMatchAllPattern(std::string_view pattern) {
  return !pattern.empty() && pattern.find_first_not_of('*') == std::string_view::npos;
}

}  // namespace cvx
