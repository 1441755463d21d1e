#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/SchemaModel.h"

namespace cvx {

// The values of an entry's attributes as text (addresses rendered), all in one piece: a
// database build holds 100,000 entries, and a string and a list per value made the client grow
// to 25 times the size of ldapsearch.
class LdapAttributeValues {
 public:
  // Room for attributes that take up `bytes` as the server encodes them; the text rarely needs
  // more, so that an entry costs three allocations, not three per attribute.
  void Reserve(std::size_t bytes);
  // Starts the next attribute: `type` null for one the schema lacks, known by `unknownType`.
  void Begin(const AttributeTypeInfo* type, std::string_view unknownType);
  // The next value of the attribute begun last is appended here, then ended.
  std::string& Text() { return text_; }
  void EndValue() { ends_.push_back(static_cast<std::uint32_t>(text_.size())); }

  // All values of the attributes of this type (null: of the one named `fieldName`), in order.
  std::vector<std::string> Of(const AttributeTypeInfo* type, std::string_view fieldName) const;
  // The same into `out`, whose strings are used again.
  void Read(const AttributeTypeInfo* type, std::string_view fieldName,
            std::vector<std::string>& out) const;

 private:
  struct Attribute {
    const AttributeTypeInfo* type;
    std::uint32_t first;  // its first piece of the text: its name when the schema lacks its type
  };
  std::string_view Piece(std::size_t i) const {
    const std::uint32_t begin = i ? ends_[i - 1] : 0;
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }

  std::vector<Attribute> attributes_;
  std::string text_;
  std::vector<std::uint32_t> ends_;  // of each piece
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
  LdapAttributeValues attributes;
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
