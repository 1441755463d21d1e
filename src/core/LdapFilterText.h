#pragma once

#include <string>
#include <string_view>

namespace cvx {

// Text that goes into an LDAP search filter (RFC 4515). A typed name reaches a server only
// through these, so that no character of it can change the filter's structure.

// An assertion value with every special octet escaped as "\hh": "*", "(", ")", "\", NUL, and
// every octet outside ASCII (valid either way; escaping them also keeps bytes that are not UTF-8
// from reaching the server raw).
std::string EscapeLdapFilterValue(std::string_view value);

// The value of a substring filter for a search pattern whose only wildcard is "*": the text
// between stars escaped as above, runs of stars collapsed to one. "J*" gives "J*", "*)(cn=*"
// gives "*\29\28cn=*".
std::string LdapWildcardFilterValue(std::string_view pattern);

// Whether a pattern matches every name: empty of anything but stars, and not empty.
bool IsMatchAllPattern(std::string_view pattern);

}  // namespace cvx
