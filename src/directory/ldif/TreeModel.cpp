#include "directory/ldif/TreeModel.h"

#include "core/TextUtil.h"

namespace cvx {

TreeModel::TreeModel(std::string treeName, std::shared_ptr<const SchemaModel> schema)
    : name_(std::move(treeName)), schema_(std::move(schema)) {
  TreeNode root;
  root.relativeName = Keep(name_);
  root.fullPath = Keep("NDS:\\\\" + name_);
  root.className = "Top";
  root.isContainer = true;
  const std::string upperPath = ToUpperAscii(root.fullPath);
  Add(std::move(root), upperPath);
}

NodeIndex TreeModel::Find(std::string_view fullPath) const {
  const auto it = index_.find(ToUpperAscii(fullPath));
  return it == index_.end() ? kNoNode : it->second;
}

NodeIndex TreeModel::Resolve(std::string_view fullPath) const {
  NodeIndex i = Find(fullPath);
  // Alias chains are short; the bound stops a loop of aliases.
  for (int hops = 0; i != kNoNode && Node(i).isAlias && hops < 8; ++hops) {
    i = Find(Node(i).aliasTarget);
  }
  return (i != kNoNode && Node(i).isAlias) ? kNoNode : i;
}

NodeIndex TreeModel::FindUpper(std::string_view upperPath) const {
  const auto it = index_.find(upperPath);
  return it == index_.end() ? kNoNode : it->second;
}

NodeIndex TreeModel::Add(TreeNode node, std::string_view upperPath) {
  const auto index = static_cast<NodeIndex>(nodes_.size());
  // One look-up: the name is kept first (a repeated name fails the whole load anyway).
  if (!index_.emplace(Keep(upperPath), index).second) return kNoNode;
  if (node.parent != kNoNode) {
    auto& parent = nodes_[static_cast<std::size_t>(node.parent)];
    parent.children.push_back(index);
    parent.isContainer = true;  // whatever holds objects is a container
  }
  nodes_.push_back(std::move(node));
  return index;
}

}  // namespace cvx
