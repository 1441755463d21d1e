#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "directory/ldap/LdapEntryData.h"
#include "directory/ldap/LdapTreeInfo.h"

typedef struct ldap LDAP;
typedef struct ldapmsg LDAPMessage;

namespace cvx {

// Turns the entries a server sends into the program's objects. One reader serves one thread:
// it remembers how the server spells types and classes, which a large result repeats for every
// entry.
class LdapEntryReader {
 public:
  explicit LdapEntryReader(std::shared_ptr<const LdapTreeInfo> info);

  // Nothing for an entry outside the tree or with a DN that does not parse.
  std::optional<LdapEntryData> Read(LDAP* ld, LDAPMessage* entry);

 private:
  const AttributeTypeInfo* Attribute(const std::string& spelling);
  const ObjectClassInfo* Class(const std::string& spelling);

  std::shared_ptr<const LdapTreeInfo> info_;
  const AttributeTypeInfo* aliasedObjectName_;
  std::unordered_map<std::string, const AttributeTypeInfo*> attributes_;
  std::unordered_map<std::string, const ObjectClassInfo*> classes_;
};

}  // namespace cvx
