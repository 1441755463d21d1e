#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/TextUtil.h"
#include "directory/ldap/LdapEntryData.h"
#include "directory/ldap/LdapTreeInfo.h"

typedef struct ldap LDAP;
typedef struct ldapmsg LDAPMessage;
struct berval;

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
  const AttributeTypeInfo* Attribute(std::string_view spelling);
  const ObjectClassInfo* Class(std::string_view spelling);
  std::optional<std::string> PathOf(berval dn, std::string* relativeName);

  // A parent DN as the server spells it: its full name (none outside the tree) and its RDNs.
  struct Parent {
    std::optional<std::string> path;
    std::size_t rdns = 0;
  };

  std::shared_ptr<const LdapTreeInfo> info_;
  const AttributeTypeInfo* aliasedObjectName_;
  BySpelling<const AttributeTypeInfo*> attributes_;
  BySpelling<const ObjectClassInfo*> classes_;
  BySpelling<Parent> parents_;
  std::vector<const ObjectClassInfo*> entryClasses_;  // of the entry at hand
};

}  // namespace cvx
