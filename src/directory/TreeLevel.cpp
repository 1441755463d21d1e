#include "directory/TreeLevel.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

std::string PlaceholderKey(const std::string& fullName) {
  return "dummy." + fullName;
}

TreeNodeData NodeDataOf(const DirEntry& entry) {
  TreeNodeData node;
  node.Key = entry.FullPath();
  node.Text = entry.RelativeName();
  node.Image = entry.Layout().Name;
  node.Tag = node.Key;
  const auto below = entry.SubEntries();
  node.HasChildren = !below.ok() || below->has_value();
  return node;
}

std::vector<TreeNodeData> TreeLevelOf(const EntryList& entries) {
  std::vector<TreeNodeData> level;
  level.reserve(entries.size());
  for (const auto& entry : entries) {
    if (entry) level.push_back(NodeDataOf(*entry));
  }
  std::stable_sort(level.begin(), level.end(), [](const TreeNodeData& a, const TreeNodeData& b) {
    return ToUpperAscii(a.Text) < ToUpperAscii(b.Text);
  });
  return level;
}

}  // namespace cvx
