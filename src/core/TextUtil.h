#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// Blanks (code 32) only, as the established trimming of names and option values does.
std::string_view TrimBlanks(std::string_view s);

// ASCII case folding: directory names, class names and option names compare without regard to
// case; non-ASCII bytes are compared as they are.
std::string ToUpperAscii(std::string_view s);
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

// Splits "a, b,c" at commas and trims blanks around each part; empty parts are dropped.
std::vector<std::string> SplitCommaList(std::string_view s);

// Matches text against a pattern whose only wildcard is "*" (any run of characters), without
// regard to case.
bool WildcardMatchNoCase(std::string_view pattern, std::string_view text);

}  // namespace cvx
