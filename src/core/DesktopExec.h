#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// An Exec value cut into arguments, or why it cannot be.
struct ExecSplit {
  std::vector<std::string> arguments;  // quoting undone; field codes are still in them
  std::string error;                   // empty when the value is well formed
};

// Splits the value of a desktop-entry Exec key as the freedesktop rules read it. First the
// string escapes of every value (\s \n \t \r \\) are undone; then arguments are separated by
// blanks, and double quotes group: inside them a backslash escapes ", `, $ and \ and nothing
// else. A reserved character (tab, newline, ' \ > < ~ | & ; $ * ? # ( ) `) outside quotes is an
// error, as are a bare ` or $ inside quotes and an unclosed quote: such a line was written for a
// shell, and reading it any other way would run something the administrator did not mean.
// Quoted and plain parts next to each other make one argument (--label="a b").
ExecSplit SplitDesktopExec(std::string_view value);

}  // namespace cvx
