#pragma once

#include <memory>
#include <string>
#include <vector>

#include "directory/DirResult.h"

namespace cvx {

struct FieldDef {
  std::string Name;  // NDS attribute name, e.g. "Network Address"
};

struct SchemaLayout {
  std::string Name;              // NDS class name, e.g. "User"
  std::vector<FieldDef> Fields;  // MUST and MAY attributes, inherited ones included, in order
};

// The layouts (classes) of a schema; Item looks a class up by NDS name without regard to case.
class LayoutCollection {
 public:
  LayoutCollection() = default;
  explicit LayoutCollection(std::shared_ptr<const std::vector<SchemaLayout>> layouts)
      : layouts_(std::move(layouts)) {}

  DirResult<SchemaLayout> Item(const std::string& name) const;
  const std::vector<SchemaLayout>& All() const;

 private:
  std::shared_ptr<const std::vector<SchemaLayout>> layouts_;
};

// The attribute (field) types of a schema; Item gives error 603 for a name the schema lacks.
class FieldTypeCollection {
 public:
  FieldTypeCollection() = default;
  explicit FieldTypeCollection(std::shared_ptr<const std::vector<FieldDef>> types)
      : types_(std::move(types)) {}

  DirResult<FieldDef> Item(const std::string& name) const;
  const std::vector<FieldDef>& All() const;

 private:
  std::shared_ptr<const std::vector<FieldDef>> types_;
};

}  // namespace cvx
