#pragma once

#include <string>
#include <string_view>

namespace cvx {

// A message written for a box, made safe for a terminal: its lines (joined by CR LF) become lines
// ended by "\n" only between them, and everything else that would move the terminal (a name from
// the directory holding a newline or ESC) is escaped as PrintableText does.
std::string PrintableLines(std::string_view text);

}  // namespace cvx
