#pragma once

#include <string>
#include <string_view>

namespace cvx {

// The prefix of every full name in browser form.
inline constexpr std::string_view kFullNamePrefix = "NDS:\\\\";

// The tree part of a full name: the text after "NDS:\\" (any letter case) up to the next "\".
// A name without the prefix is taken from its start.
std::string TreePartOfFullName(std::string_view fullName);

// "NDS:\\" + tree, then "\" + path when path is not empty.
std::string JoinFullName(std::string_view tree, std::string_view path);

}  // namespace cvx
