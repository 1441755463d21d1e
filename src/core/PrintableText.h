#pragma once

#include <string>
#include <string_view>

namespace cvx {

// Text from the directory made safe to print on a terminal or in a one-line-per-entry list:
// control characters (newline, ESC, NUL, DEL …) become C escapes ("\n", "\t", "\x1b"), a
// backslash stays as it is (names are full of them), and bytes that are not valid UTF-8 become
// "\xNN". Valid UTF-8 beyond ASCII is kept, so names with accents print as they are.
std::string PrintableText(std::string_view text);

// Why a text cannot be kept as one line of a text file or list: empty when it can.
// "a control character", "invalid UTF-8".
std::string UnprintableReason(std::string_view text);

}  // namespace cvx
