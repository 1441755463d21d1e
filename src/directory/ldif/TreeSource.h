#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/DirResult.h"
#include "directory/SchemaModel.h"

namespace cvx {

// One object of a tree as the folder backend hands it out.
struct SourceNode {
  std::int64_t id = -1;  // file order: the tree object is 0, then each record in turn
  std::string relativeName;
  std::string fullPath;
  std::string className;    // NDS class name
  std::string aliasTarget;  // full name of the aliased object, for an alias
  bool isContainer = false;
  bool isAlias = false;
};

// What the folder backend asks of a tree: the tree read into memory, or its index on disk, which
// answers without reading the whole tree. Failures are kDirLost with the reason.
class TreeSource {
 public:
  virtual ~TreeSource() = default;

  virtual const SchemaModel& Schema() const = 0;
  // By full name, without regard to case; aliases followed (nothing when the object is gone).
  virtual DirResult<std::optional<SourceNode>> Find(std::string_view fullPath,
                                                    bool resolveAlias) const = 0;
  // Every object directly below, in file order.
  virtual DirResult<std::vector<SourceNode>> Children(std::int64_t id) const = 0;
  // The values of one field, by any name the schema knows it by, in file order.
  virtual DirResult<std::vector<std::string>> Values(std::int64_t id,
                                                     std::string_view fieldName) const = 0;
  // Full names of the objects below `context` (directly, or at any depth) whose relative name
  // matches pattern (WildcardMatchNoCase) and whose class is one of `classes` (any case), in
  // file order.
  virtual DirResult<std::vector<std::string>> Search(std::int64_t context, std::string_view pattern,
                                                     const std::vector<std::string>& classes,
                                                     bool subtree) const = 0;
  // Relative names of every object of one class (exact NDS name), in file order.
  virtual DirResult<std::vector<std::string>> NamesOfClass(std::string_view className) const = 0;
};

// The key under which a value of a field is kept: a type the schema defines is known by its first
// LDAP name, another by its own spelling; both in upper case, so that any name of a type finds it.
std::string ValueKey(const SchemaModel& schema, std::string_view typeName);

}  // namespace cvx
