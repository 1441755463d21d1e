#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cvx {

// Blanks (code 32) only, as the established trimming of names and option values does.
std::string_view TrimBlanks(std::string_view s);

// ASCII case folding: directory names, class names and option names compare without regard to
// case; non-ASCII bytes are compared as they are.
std::string ToUpperAscii(std::string_view s);
// The same into a string the caller reuses, for hot loops.
void ToUpperAsciiInto(std::string_view s, std::string& out);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool ContainsNoCase(std::string_view haystack, std::string_view needle);

// Hash and equality for keys compared without regard to ASCII letter case; both take any string
// view, so a look-up needs no upper-cased copy of its key.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const;
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }
};

// A map keyed by exact spelling that is looked up with any string view, without a copy: for
// readers that meet the same few spellings over and over.
struct SpellingHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};
template <typename T>
using BySpelling = std::unordered_map<std::string, T, SpellingHash, std::equal_to<>>;

// Splits "a, b,c" at commas and trims blanks around each part; empty parts are dropped.
std::vector<std::string> SplitCommaList(std::string_view s);

// Matches text against a pattern whose only wildcard is "*" (any run of characters), without
// regard to case.
bool WildcardMatchNoCase(std::string_view pattern, std::string_view text);

}  // namespace cvx
