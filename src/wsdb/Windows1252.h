#pragma once

#include <string>
#include <string_view>

namespace cvx {

// Text in Windows-1252 (the 8-bit code page databases of other tools are written in) as UTF-8.
// The five bytes the code page leaves unassigned become U+FFFD.
std::string Windows1252ToUtf8(std::string_view text);

}  // namespace cvx
