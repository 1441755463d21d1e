#include "directory/ldap/LdapEntryData.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

bool LdapEntryData::Holds(const AttributeTypeInfo* type) const {
  return !readTypes || std::find(readTypes->begin(), readTypes->end(), type) != readTypes->end();
}

void LdapAttributeValues::Reserve(std::size_t bytes) {
  // Each value takes at least two bytes of tag and length, each attribute a dozen or more.
  text_.reserve(bytes);
  ends_.reserve(bytes / 8 + 1);
  attributes_.reserve(bytes / 24 + 1);
}

void LdapAttributeValues::Begin(const AttributeTypeInfo* type, std::string_view unknownType) {
  attributes_.push_back({type, static_cast<std::uint32_t>(ends_.size())});
  if (!type) {
    text_ += ToUpperAscii(unknownType);
    EndValue();
  }
}

std::vector<std::string> LdapAttributeValues::Of(const AttributeTypeInfo* type,
                                                 std::string_view fieldName) const {
  std::vector<std::string> out;
  Read(type, fieldName, out);
  return out;
}

void LdapAttributeValues::Read(const AttributeTypeInfo* type, std::string_view fieldName,
                               std::vector<std::string>& out) const {
  std::size_t n = 0;
  for (std::size_t a = 0; a < attributes_.size(); ++a) {
    const Attribute& attribute = attributes_[a];
    std::size_t first = attribute.first;
    if (attribute.type != type) continue;
    if (!type && !EqualsNoCase(Piece(first++), fieldName)) continue;
    const std::size_t end = a + 1 < attributes_.size() ? attributes_[a + 1].first : ends_.size();
    for (std::size_t i = first; i < end; ++i, ++n) {
      if (n < out.size()) {
        out[n].assign(Piece(i));
      } else {
        out.emplace_back(Piece(i));
      }
    }
  }
  out.resize(n);
}

std::vector<std::string> LdapEntryData::FieldValues(const AttributeTypeInfo* type,
                                                    std::string_view fieldName) const {
  return attributes.Of(type, fieldName);
}

}  // namespace cvx
