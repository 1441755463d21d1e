#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace cvx {

// The field codes of an own action's Exec: %w the workstation's dotted name, %f its full name,
// %n the tree, %a its IPv4 address, %u the dotted name of the user it was found through; %% is a
// percent sign.
inline constexpr std::string_view kExecFieldCodes = "wfnau";

// The first field code of the argument that is not one of those ("%x", or "%" at its end);
// empty when there is none.
std::string UnknownFieldCode(std::string_view argument);

// Whether the argument holds the field code (code is one of kExecFieldCodes).
bool HoldsFieldCode(std::string_view argument, char code);

// Whether the argument is one field code and nothing else ("%u").
bool IsLoneFieldCode(std::string_view argument);

// The field code whose value gives the expanded argument its first character; '\0' when that
// character is the administrator's own text or the expansion is empty. Codes whose values are
// empty give no character, so in "%u%w" with an empty %u it is %w.
char LeadingFieldCode(std::string_view argument,
                      const std::function<std::string_view(char)>& value);

// The argument with each field code replaced by value(code) and %% by %. A value is put in as it
// is and never read for field codes again. The argument must hold known codes only.
std::string ExpandFieldCodes(std::string_view argument,
                             const std::function<std::string_view(char)>& value);

}  // namespace cvx
