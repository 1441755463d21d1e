#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "directory/ldif/SchemaModel.h"

namespace cvx {

using NodeIndex = std::int32_t;
constexpr NodeIndex kNoNode = -1;

struct TreeAttribute {
  std::string ndsNameUpper;         // lookup key
  std::vector<std::string> values;  // as text; network addresses already rendered
};

struct TreeNode {
  std::string relativeName;
  std::string fullPath;
  NodeIndex parent = kNoNode;
  std::vector<NodeIndex> children;  // in file order
  std::string className;            // NDS class name
  bool isContainer = false;
  bool isAlias = false;
  std::string aliasTarget;  // full name of the aliased object
  std::vector<TreeAttribute> attributes;
};

// One tree read into memory. Node 0 is the tree object itself (class "Top"); the other nodes are
// in file order, which is the directory order of enumerations and searches.
class TreeModel {
 public:
  TreeModel(std::string treeName, std::shared_ptr<const SchemaModel> schema);

  const std::string& Name() const { return name_; }
  const SchemaModel& Schema() const { return *schema_; }
  const std::shared_ptr<const SchemaModel>& SchemaPtr() const { return schema_; }

  const TreeNode& Node(NodeIndex i) const { return nodes_[static_cast<std::size_t>(i)]; }
  std::size_t Size() const { return nodes_.size(); }

  // By full name, without regard to case; kNoNode when absent.
  NodeIndex Find(std::string_view fullPath) const;
  // Like Find, but an alias gives the object it stands for (kNoNode when that is gone).
  NodeIndex Resolve(std::string_view fullPath) const;

  // Building (the loader's side). The parent must be added already; `upperPath` is the node's
  // full name in upper case when the caller has it at hand.
  NodeIndex Add(TreeNode node);
  NodeIndex Add(TreeNode node, std::string upperPath);
  NodeIndex FindUpper(const std::string& upperPath) const;
  TreeNode& MutableNode(NodeIndex i) { return nodes_[static_cast<std::size_t>(i)]; }

 private:
  std::string name_;
  std::shared_ptr<const SchemaModel> schema_;
  std::vector<TreeNode> nodes_;
  std::unordered_map<std::string, NodeIndex> index_;  // upper-case full names
};

}  // namespace cvx
