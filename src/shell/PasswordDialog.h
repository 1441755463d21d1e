#pragma once

#include <optional>
#include <string>

namespace cvx {

// Asks for the password of a bind DN before the window shows, in a dialog that never echoes it.
// Nothing when the administrator cancels.
std::optional<std::string> AskLdapPassword(const std::string& bindDn, const std::string& server);

}  // namespace cvx
