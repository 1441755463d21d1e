#include "directory/SchemaExtensionCheck.h"

#include <algorithm>

namespace cvx {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The characters that end a bare word, as the parser cuts them.
bool EndsWord(char c) {
  return IsBlank(c) || c == '(' || c == ')' || c == '$' || c == '\'' || c == '{';
}

void SkipBlanks(std::string_view s, std::size_t& i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
}

// A quoted string at i: steps over it and says whether it was closed.
bool SkipQuoted(std::string_view s, std::size_t& i) {
  const auto close = s.find('\'', i + 1);
  if (close == std::string_view::npos) return false;
  i = close + 1;
  return true;
}

// 'text' or ( 'text' 'text' ... ) at i.
bool SkipExtensionValue(std::string_view s, std::size_t& i) {
  SkipBlanks(s, i);
  if (i >= s.size()) return false;
  if (s[i] == '\'') return SkipQuoted(s, i);
  if (s[i] != '(') return false;
  ++i;
  while (true) {
    SkipBlanks(s, i);
    if (i >= s.size()) return false;
    if (s[i] == ')') {
      ++i;
      return true;
    }
    if (s[i] != '\'' || !SkipQuoted(s, i)) return false;
  }
}

}  // namespace

std::optional<std::string> FindExtensionWithoutValue(std::string_view definition) {
  // The parser reads a C string: nothing after a NUL byte reaches it.
  definition = definition.substr(0, definition.find('\0'));
  std::size_t i = 0;
  while (i < definition.size()) {
    const char c = definition[i];
    if (c == '\'') {
      if (!SkipQuoted(definition, i)) return std::nullopt;  // the parser refuses that itself
      continue;
    }
    if (EndsWord(c)) {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < definition.size() && !EndsWord(definition[i])) ++i;
    std::string_view word = definition.substr(start, i - start);
    // A numeric OID is read character by character, so an extension may follow one without a
    // blank ("SYNTAX 1.2{64}X-A").
    word.remove_prefix(std::min(word.size(), word.find_first_not_of("0123456789.}")));
    if (word.starts_with("X-") && !SkipExtensionValue(definition, i)) return std::string(word);
  }
  return std::nullopt;
}

}  // namespace cvx
