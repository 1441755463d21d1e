#include "directory/NdsStandardNames.h"

#include <array>
#include <utility>

#include "core/TextUtil.h"

namespace cvx {

namespace {

using NamePair = std::pair<std::string_view, std::string_view>;

constexpr std::array kAttributeNames = {
    NamePair{"objectClass", "Object Class"},
    NamePair{"aliasedObjectName", "Aliased Object Name"},
    NamePair{"cn", "CN"},
    NamePair{"commonName", "CN"},
    NamePair{"sn", "Surname"},
    NamePair{"surname", "Surname"},
    NamePair{"givenName", "Given Name"},
    NamePair{"initials", "Initials"},
    NamePair{"generationQualifier", "Generational Qualifier"},
    NamePair{"c", "C"},
    NamePair{"o", "O"},
    NamePair{"ou", "OU"},
    NamePair{"l", "L"},
    NamePair{"st", "S"},
    NamePair{"street", "SA"},
    NamePair{"description", "Description"},
    NamePair{"title", "Title"},
    NamePair{"telephoneNumber", "Telephone Number"},
    NamePair{"facsimileTelephoneNumber", "Facsimile Telephone Number"},
    NamePair{"mail", "Internet EMail Address"},
    NamePair{"uid", "uniqueID"},
    NamePair{"member", "Member"},
    NamePair{"uniqueMember", "Member"},
    NamePair{"seeAlso", "See Also"},
    NamePair{"postalAddress", "Postal Address"},
    NamePair{"postalCode", "Postal Code"},
    NamePair{"postOfficeBox", "Postal Office Box"},
    NamePair{"physicalDeliveryOfficeName", "Physical Delivery Office Name"},
    NamePair{"employeeNumber", "employeeNumber"},
    NamePair{"departmentNumber", "departmentNumber"},
    NamePair{"networkAddress", "Network Address"},
    NamePair{"groupMembership", "Group Membership"},
    NamePair{"loginTime", "Login Time"},
    NamePair{"fullName", "Full Name"},
    NamePair{"userPassword", "Password"},
};

constexpr std::array kClassNames = {
    NamePair{"top", "Top"},
    NamePair{"alias", "Alias"},
    NamePair{"aliasObject", "Alias"},
    NamePair{"country", "Country"},
    NamePair{"locality", "Locality"},
    NamePair{"organization", "Organization"},
    NamePair{"organizationalUnit", "Organizational Unit"},
    NamePair{"person", "Person"},
    NamePair{"organizationalPerson", "Organizational Person"},
    NamePair{"inetOrgPerson", "User"},
    NamePair{"groupOfNames", "Group"},
    NamePair{"groupOfUniqueNames", "Group"},
    NamePair{"organizationalRole", "Organizational Role"},
    NamePair{"device", "Device"},
    NamePair{"ncpServer", "NCP Server"},
};

constexpr std::array<std::string_view, 6> kContainerClasses = {
    "country", "locality", "organization", "organizationalUnit", "domain", "treeRoot"};

// How objects of the standard classes (and the project's own) are named on eDirectory and on
// the usual LDAP servers; subclasses (inetOrgPerson) inherit it.
constexpr std::array kNamingAttributes = {
    NamePair{"person", "cn"},       NamePair{"alias", "cn"},
    NamePair{"aliasObject", "cn"},  NamePair{"organizationalRole", "cn"},
    NamePair{"groupOfNames", "cn"}, NamePair{"groupOfUniqueNames", "cn"},
    NamePair{"device", "cn"},       NamePair{"workstation", "cn"},
    NamePair{"ncpServer", "cn"},    NamePair{"organizationalUnit", "ou"},
    NamePair{"organization", "o"},  NamePair{"country", "c"},
    NamePair{"locality", "l"},      NamePair{"domain", "dc"},
};

template <std::size_t N>
std::string Lookup(const std::array<NamePair, N>& table, std::string_view key) {
  for (const auto& [ldap, nds] : table) {
    if (EqualsNoCase(ldap, key)) return std::string(nds);
  }
  return {};
}

}  // namespace

std::string NdsStandardAttributeName(std::string_view ldapName) {
  return Lookup(kAttributeNames, ldapName);
}

std::string NdsStandardClassName(std::string_view ldapName) {
  return Lookup(kClassNames, ldapName);
}

std::vector<std::string> StandardNamingAttributes(std::string_view ldapName) {
  const std::string naming = Lookup(kNamingAttributes, ldapName);
  if (naming.empty()) return {};
  return {naming};
}

bool IsStandardContainerClass(std::string_view ldapName) {
  for (auto c : kContainerClasses) {
    if (EqualsNoCase(c, ldapName)) return true;
  }
  return false;
}

}  // namespace cvx
