#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/TextUtil.h"
#include "directory/SchemaCollections.h"
#include "directory/SchemaDefinitions.h"

namespace cvx {

struct AttributeTypeInfo {
  std::vector<std::string> ldapNames;
  std::string ndsName;
  bool isNetworkAddress = false;  // tagged-data values, rendered as address text
};

struct ObjectClassInfo {
  std::vector<std::string> ldapNames;
  std::string ndsName;
  ClassKind kind = ClassKind::kStructural;
  std::vector<const ObjectClassInfo*> superclasses;
  bool isContainer = false;
  bool isAlias = false;
  std::vector<std::string> fields;  // NDS names: inherited then own MUST and MAY, no repeats
  std::vector<const ObjectClassInfo*> ancestors;  // every class above it, sorted by address
  // LDAP names of the attribute types that name its objects, as the schema says (X-NDS_NAMING)
  // or the standard classes are named; empty: inherited, or not known.
  std::vector<std::string> naming;
};

// The schema of one tree, names resolved: every definition is found by any of its LDAP names,
// its OID or its NDS name, without regard to case.
class SchemaModel {
 public:
  // Definitions in order; later files may refer to what earlier ones define. A definition that
  // names an unknown superclass is kept without it. Classes that are their own superclasses,
  // directly or through others, are kept without the link that closes the cycle, and CycleError
  // names them.
  explicit SchemaModel(const std::vector<const SchemaDefinitions*>& files);

  // Empty when the classes form no cycle; otherwise names the classes of the first one found.
  const std::string& CycleError() const { return cycleError_; }

  const AttributeTypeInfo* FindAttribute(std::string_view name) const;
  const ObjectClassInfo* FindClass(std::string_view name) const;

  // The most specific structural class among an entry's object classes, or the most specific of
  // any kind when none is structural; null for an empty list.
  const ObjectClassInfo* MostSpecificClass(
      const std::vector<const ObjectClassInfo*>& classes) const;

  const LayoutCollection& Layouts() const { return layouts_; }
  const FieldTypeCollection& FieldTypes() const { return fieldTypes_; }

 private:
  static bool IsSubclassOf(const ObjectClassInfo* c, const ObjectClassInfo* ancestor);
  void ResolveClasses(
      const std::vector<std::pair<ObjectClassInfo*, const ObjectClassDefinition*>>& classes);

  std::vector<std::unique_ptr<AttributeTypeInfo>> attributes_;
  std::vector<std::unique_ptr<ObjectClassInfo>> classes_;
  // Upper-case keys, found in any letter case without a copy of the name.
  std::unordered_map<std::string, const AttributeTypeInfo*, NoCaseHash, NoCaseEqual>
      attributeIndex_;
  std::unordered_map<std::string, const ObjectClassInfo*, NoCaseHash, NoCaseEqual> classIndex_;
  LayoutCollection layouts_;
  FieldTypeCollection fieldTypes_;
  std::string cycleError_;
};

}  // namespace cvx
