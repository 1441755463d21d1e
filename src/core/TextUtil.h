#pragma once

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

// Splits "a, b,c" at commas and trims blanks around each part; empty parts are dropped.
std::vector<std::string> SplitCommaList(std::string_view s);

// Matches text against a pattern whose only wildcard is "*" (any run of characters), without
// regard to case.
bool WildcardMatchNoCase(std::string_view pattern, std::string_view text);

}  // namespace cvx
