#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// Splits a command line into arguments the way Windows hands them to a program's main:
// - the program name runs to the first blank or tab, or, when it starts with a quote, to the next
//   quote; backslashes in it are plain characters;
// - later arguments are separated by blanks and tabs outside quotes; quotes group and vanish, so
//   -w"A B" is the one argument -wA B;
// - 2n backslashes before a quote give n backslashes and the quote groups; 2n+1 give n
//   backslashes and a literal quote; backslashes before anything else stay as they are;
// - inside quotes, two quotes in a row give one literal quote and end the quoted part.
// An empty or blank line gives no arguments.
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

}  // namespace cvx
