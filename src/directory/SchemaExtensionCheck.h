#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// The LDAP library's schema parser loses memory on a definition whose extension ("X-...") is not
// followed by a quoted string or a parenthesized list of quoted strings, so such a definition is
// refused before the parser sees it. Gives the first such extension's name, or nothing.
std::optional<std::string> FindExtensionWithoutValue(std::string_view definition);

}  // namespace cvx
