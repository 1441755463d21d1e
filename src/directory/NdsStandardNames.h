#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// The NDS names of the standard LDAP attribute types and object classes, for definitions that do
// not carry their own X-NDS_NAME. Empty when the name is not in the table.
std::string NdsStandardAttributeName(std::string_view ldapName);
std::string NdsStandardClassName(std::string_view ldapName);

// Standard classes whose objects hold other objects.
bool IsStandardContainerClass(std::string_view ldapName);

// The attribute types that name objects of a standard class (person: cn), or nothing.
std::vector<std::string> StandardNamingAttributes(std::string_view ldapName);

}  // namespace cvx
