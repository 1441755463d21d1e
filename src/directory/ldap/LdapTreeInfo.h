#pragma once

#include <ldap.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/LdapFilterText.h"
#include "directory/SchemaModel.h"

namespace cvx {

// One relative distinguished name: its attribute types and values (several for "a=1+b=2").
struct LdapRdn {
  std::vector<std::string> types;
  std::vector<std::string> values;
  std::string Value() const;  // the values joined with "+", as full names show them
};

// A DN split into RDNs, the entry's own first; nothing for text that is no DN.
std::optional<std::vector<LdapRdn>> ParseDn(const std::string& dn);

// An object directly below the tree root.
struct LdapTopEntry {
  std::string dn;
  std::vector<LdapRdn> rdns;
  std::string name;  // how full names spell it: the value of its first RDN
};

// What the program knows of a live tree once it has connected: its name, the server's schema,
// the objects below the root. Fixed after the first connection, so threads share it freely.
class LdapTreeInfo {
 public:
  LdapTreeInfo(std::string treeName, std::shared_ptr<const SchemaModel> schema,
               std::vector<LdapTopEntry> tops);

  const std::string& TreeName() const { return treeName_; }
  std::string RootPath() const;
  const SchemaModel& Schema() const { return *schema_; }
  const std::shared_ptr<const SchemaModel>& SchemaPtr() const { return schema_; }
  const std::vector<LdapTopEntry>& Tops() const { return tops_; }
  const LdapTopEntry* TopNamed(const std::string& name) const;

  // The full name of a DN as the LDAP library parses it, and the value of its RDN; nothing for
  // a DN outside every top entry.
  std::optional<std::string> FullPathOf(LDAPDN dn, std::string* relativeName) const;
  // The same for the object whose RDN has this value (values of a multi-valued RDN joined by
  // "+") below the object at `parentPath`, whose DN has `parentRdns` RDNs; nothing when the
  // object could be a top entry itself, which only FullPathOf tells.
  std::optional<std::string> ChildPathOf(const std::string& parentPath, std::size_t parentRdns,
                                         std::string_view rdnValue,
                                         std::string* relativeName) const;

  // "(|(objectClass=a)(objectClass=b))" for the classes (NDS names) the schema knows; empty when
  // it knows none of them.
  std::string ClassFilter(const std::vector<std::string>& ndsClasses) const;
  // Objects of the classes whose RDN value may match the pattern ("*" matches any text): each
  // class's naming attributes (see Naming), or every naming attribute the tree knows for a
  // class whose naming is not known. Names are compared by the server's rules here, so callers
  // check the names of what comes back. Empty when the schema knows none of the classes.
  std::string SearchFilter(const std::vector<std::string>& ndsClasses,
                           const std::string& pattern) const;
  // The attribute types that name objects of a class, from the schema (its own or inherited
  // naming); empty when not known.
  std::vector<std::string> Naming(const ObjectClassInfo& c) const;
  // Objects whose RDN value equals `name`, by any naming attribute.
  std::string ExactNameFilter(const std::string& name) const {
    return AnyNameFilter(EscapeLdapFilterValue(name));
  }
  // The types that may name an object of unknown class, most likely first: a container's
  // (`container`) or a leaf's.
  const std::vector<std::string>& CandidateNaming(bool container) const {
    return container ? containerNaming_ : namingAttributes_;
  }
  // The DN of the object named `type`=`value` below `parentDn`.
  static std::string ChildDn(const std::string& type, const std::string& value,
                             const std::string& parentDn);

  // The attributes to ask for when an entry is read: its values, and whether anything is below
  // it (which a server works out for each entry).
  static const std::vector<std::string>& EntryAttributes();
  // The same for the hits of a search, which may be many: the values only.
  static const std::vector<std::string>& HitAttributes();

 private:
  std::string treeName_;
  std::shared_ptr<const SchemaModel> schema_;
  std::vector<LdapTopEntry> tops_;
  std::string AnyNameFilter(const std::string& value) const;

  std::vector<std::string> namingAttributes_;  // LDAP names, leaves' first
  std::vector<std::string> containerNaming_;   // the same, containers' first
};

}  // namespace cvx
