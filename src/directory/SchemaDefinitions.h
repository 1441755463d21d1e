#pragma once

#include <string>
#include <vector>

namespace cvx {

// One attribute type as a schema file defines it, before names are resolved across files.
struct AttributeTypeDefinition {
  std::string oid;
  std::vector<std::string> names;  // LDAP names; the first is the primary one
  std::string supName;             // SUP, empty when none
  std::string syntaxOid;
  std::string ndsName;    // X-NDS_NAME, empty when absent
  std::string ndsSyntax;  // X-NDS_SYNTAX, empty when absent
};

enum class ClassKind { kAbstract, kStructural, kAuxiliary };

struct ObjectClassDefinition {
  std::string oid;
  std::vector<std::string> names;
  std::vector<std::string> supNames;
  ClassKind kind = ClassKind::kStructural;
  std::vector<std::string> must;
  std::vector<std::string> may;
  std::string ndsName;
  bool containerMark = false;       // X-NDS_CONTAINER '1'
  std::vector<std::string> naming;  // X-NDS_NAMING: the attribute types that name its objects
};

// What one schema file holds, in file order.
struct SchemaDefinitions {
  std::vector<AttributeTypeDefinition> attributeTypes;
  std::vector<ObjectClassDefinition> objectClasses;
};

}  // namespace cvx
