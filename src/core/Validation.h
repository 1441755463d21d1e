#pragma once

#include <string_view>

namespace cvx {

// The character codes of a text added up in single precision and divided by 32. A text is blank
// for the action button when its score equals its length: every text made only of blanks is,
// and among texts of printable characters only those are. Bytes of UTF-8 count one by one.
float BlankScore(std::string_view text);

// Whether the action button would search for this text: not empty, not one blank, not blank.
bool IsSearchableText(std::string_view text);

}  // namespace cvx
