#include "directory/ldap/LdapEntryData.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

bool LdapEntryData::Holds(const AttributeTypeInfo* type) const {
  return !readTypes || std::find(readTypes->begin(), readTypes->end(), type) != readTypes->end();
}

std::vector<std::string> LdapEntryData::FieldValues(const SchemaModel& schema,
                                                    const std::string& fieldName) const {
  const auto* type = schema.FindAttribute(fieldName);
  const std::string unknownUpper = type ? std::string() : ToUpperAscii(fieldName);
  std::vector<std::string> out;
  for (const auto& a : attributes) {
    if (a.type == type && a.unknownTypeUpper == unknownUpper) {
      out.insert(out.end(), a.values.begin(), a.values.end());
    }
  }
  return out;
}

}  // namespace cvx
