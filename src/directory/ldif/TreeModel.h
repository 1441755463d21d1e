#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "directory/SchemaModel.h"
#include "directory/ldif/StringArena.h"

namespace cvx {

using NodeIndex = std::int32_t;
constexpr NodeIndex kNoNode = -1;

// One value of one attribute of a node. Text lives in the tree's arena (see TreeModel::Keep); a
// type the schema defines is a pointer into the tree's schema. A node keeps all its values in one
// list, in file order, which saves a list per attribute on large trees.
struct TreeValue {
  const AttributeTypeInfo* type = nullptr;
  std::string_view unknownTypeUpper;  // only for a type the schema does not define
  std::string_view text;              // network addresses already rendered
};

// Children are linked in file order and values are kept by the tree in one list, so that a node
// holds no allocation of its own: large trees are read and dropped much faster.
struct TreeNode {
  std::string_view relativeName;
  std::string_view fullPath;
  NodeIndex parent = kNoNode;
  NodeIndex firstChild = kNoNode;
  NodeIndex lastChild = kNoNode;
  NodeIndex nextSibling = kNoNode;
  std::string_view className;  // NDS class name, held by the tree's schema
  bool isContainer = false;
  bool isAlias = false;
  // The node's record in the tree file, from which its values can be read again (its size fills
  // what would be padding).
  std::uint32_t recordSize = 0;
  std::uint64_t recordOffset = 0;
  std::string_view aliasTarget;  // full name of the aliased object
  std::uint32_t firstValue = 0;
  std::uint32_t valueCount = 0;
};
static_assert(sizeof(std::size_t) != 8 || sizeof(TreeNode) == 104, "large trees hold many nodes");

// One tree read into memory. Node 0 is the tree object itself (class "Top"); the other nodes are
// in file order, which is the directory order of enumerations and searches.
class TreeModel {
 public:
  TreeModel(std::string treeName, std::shared_ptr<const SchemaModel> schema);

  const std::string& Name() const { return name_; }
  const SchemaModel& Schema() const { return *schema_; }
  const std::shared_ptr<const SchemaModel>& SchemaPtr() const { return schema_; }

  const TreeNode& Node(NodeIndex i) const { return nodes_[static_cast<std::size_t>(i)]; }
  std::span<const TreeValue> Values(NodeIndex i) const {
    return std::span<const TreeValue>(values_).subspan(Node(i).firstValue, Node(i).valueCount);
  }
  std::size_t Size() const { return nodes_.size(); }

  // By full name, without regard to case; kNoNode when absent.
  NodeIndex Find(std::string_view fullPath) const;
  // Like Find, but an alias gives the object it stands for (kNoNode when that is gone).
  NodeIndex Resolve(std::string_view fullPath) const;

  // Building (the loader's side). Text of a node is kept in the tree with Keep. The parent must be
  // added already; `upperPath` is the node's full name in upper case. kNoNode, and nothing added,
  // when a node of that name is there already.
  std::string_view Keep(std::string_view text) { return arena_.Keep(text); }
  // Text the tree's values may point into, kept as long as the tree.
  void HoldText(std::unique_ptr<char[]> text) { heldTexts_.push_back(std::move(text)); }
  void Reserve(std::size_t nodes) {
    nodes_.reserve(nodes);
    values_.reserve(nodes * 8);
    Rehash(nodes * 2);
  }
  NodeIndex Add(TreeNode node, std::string_view upperPath, std::span<const TreeValue> values = {});
  NodeIndex FindUpper(std::string_view upperPath) const;
  std::string_view UpperPath(NodeIndex i) const { return upperPaths_[static_cast<std::size_t>(i)]; }

 private:
  std::string name_;
  std::shared_ptr<const SchemaModel> schema_;
  StringArena arena_;
  std::vector<std::unique_ptr<char[]>> heldTexts_;
  std::vector<TreeNode> nodes_;
  std::vector<TreeValue> values_;
  // Full names in upper case (in arena_), by node; and an open-addressing table over them that
  // keeps each name's hash beside its node, so a look-up rarely touches another name.
  struct Slot {
    std::uint32_t hash = 0;  // half a word: the table of a large tree stays in the cache better
    NodeIndex node = kNoNode;
  };
  static std::uint32_t HashOf(std::string_view upperPath);
  std::size_t SlotOf(std::string_view upperPath, std::uint32_t hash) const;
  void Rehash(std::size_t slots);
  std::vector<std::string_view> upperPaths_;
  std::vector<Slot> slots_;
};

}  // namespace cvx
