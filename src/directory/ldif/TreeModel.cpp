#include "directory/ldif/TreeModel.h"

#include "core/TextUtil.h"

#include <utility>

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
  return FindUpper(ToUpperAscii(fullPath));
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
  return slots_[SlotOf(upperPath, HashOf(upperPath))].node;
}

std::uint32_t TreeModel::HashOf(std::string_view upperPath) {
  return static_cast<std::uint32_t>(std::hash<std::string_view>()(upperPath));
}

std::size_t TreeModel::SlotOf(std::string_view upperPath, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.node == kNoNode) return i;
    if (slot.hash == hash && upperPaths_[static_cast<std::size_t>(slot.node)] == upperPath)
      return i;
  }
}

void TreeModel::Rehash(std::size_t slots) {
  std::size_t size = 16;
  while (size < slots) size *= 2;
  if (size <= slots_.size()) return;
  std::vector<Slot> old = std::exchange(slots_, std::vector<Slot>(size));
  for (const Slot& slot : old) {
    if (slot.node == kNoNode) continue;
    for (std::size_t i = slot.hash & (size - 1);; i = (i + 1) & (size - 1)) {
      if (slots_[i].node == kNoNode) {
        slots_[i] = slot;
        break;
      }
    }
  }
}

NodeIndex TreeModel::Add(TreeNode node, std::string_view upperPath,
                         std::span<const TreeValue> values) {
  const auto index = static_cast<NodeIndex>(nodes_.size());
  if ((nodes_.size() + 1) * 2 > slots_.size()) Rehash(slots_.size() * 2);
  const std::uint32_t hash = HashOf(upperPath);
  Slot& slot = slots_[SlotOf(upperPath, hash)];
  if (slot.node != kNoNode) return kNoNode;
  slot = Slot{hash, index};
  upperPaths_.push_back(Keep(upperPath));
  node.firstValue = static_cast<std::uint32_t>(values_.size());
  node.valueCount = static_cast<std::uint32_t>(values.size());
  values_.insert(values_.end(), values.begin(), values.end());
  if (node.parent != kNoNode) {
    auto& parent = nodes_[static_cast<std::size_t>(node.parent)];
    if (parent.lastChild == kNoNode) {
      parent.firstChild = index;
    } else {
      nodes_[static_cast<std::size_t>(parent.lastChild)].nextSibling = index;
    }
    parent.lastChild = index;
    parent.isContainer = true;  // whatever holds objects is a container
  }
  nodes_.push_back(std::move(node));
  return index;
}

}  // namespace cvx
