#include "directory/ldap/LdapEntryData.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

bool LdapEntryData::Holds(const AttributeTypeInfo* type) const {
  return !readTypes || std::find(readTypes->begin(), readTypes->end(), type) != readTypes->end();
}

std::vector<std::string> LdapEntryData::FieldValues(const AttributeTypeInfo* type,
                                                    std::string_view fieldName) const {
  std::vector<std::string> out;
  for (const auto& a : attributes) {
    if (a.type == type && (type || EqualsNoCase(a.unknownTypeUpper, fieldName))) {
      out.insert(out.end(), a.values.begin(), a.values.end());
    }
  }
  return out;
}

}  // namespace cvx
