#pragma once

#include <string_view>

namespace cvx {

// The value of an RDN of the plain form nearly every object of a large tree has ("cn=PC001": a
// type of letters, digits and "-" starting with a letter; a value of letters, digits, "-", "_",
// "." and inner blanks; no escapes, quotes or "+"). The LDAP library's DN parser makes the same of
// it, with allocations; false for any other RDN, which it must read.
bool PlainRdnValue(std::string_view rdn, std::string_view& value);

}  // namespace cvx
