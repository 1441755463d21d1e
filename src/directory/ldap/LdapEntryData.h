#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/SchemaModel.h"

namespace cvx {

// The values of one attribute of an entry read from a server, as text (addresses rendered).
struct LdapAttributeValues {
  const AttributeTypeInfo* type = nullptr;  // null for a type the schema does not define
  std::string unknownTypeUpper;             // only for such a type
  std::vector<std::string> values;
};

// The attribute types an entry was read with; none: all of them.
using LdapReadTypes = std::shared_ptr<const std::vector<const AttributeTypeInfo*>>;

// One entry as a server sent it, named as the program names objects.
struct LdapEntryData {
  std::string dn;
  std::string fullPath;      // NDS:\\TREE\...
  std::string relativeName;  // the value of its RDN
  std::string className;     // NDS name of its most specific structural class
  bool isContainer = false;  // by its class; an entry of another class may still hold objects
  bool isAlias = false;
  bool isTreeRoot = false;
  std::string aliasTargetDn;
  std::optional<bool> hasSubordinates;  // when the server tells
  std::vector<LdapAttributeValues> attributes;
  LdapReadTypes readTypes;

  // Whether the entry was read with this field's attribute (null: a type the schema lacks).
  bool Holds(const AttributeTypeInfo* type) const;

  // All values of the field with this NDS (or LDAP) name, whose type is `type` (null: one the
  // schema lacks); none when the entry lacks it.
  std::vector<std::string> FieldValues(const AttributeTypeInfo* type,
                                       std::string_view fieldName) const;
};

using LdapEntryDataPtr = std::shared_ptr<const LdapEntryData>;

}  // namespace cvx
