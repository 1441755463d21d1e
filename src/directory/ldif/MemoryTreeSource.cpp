#include "directory/ldif/MemoryTreeSource.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

std::string ValueKey(const SchemaModel& schema, std::string_view typeName) {
  const auto* type = schema.FindAttribute(typeName);
  return ToUpperAscii(type ? std::string_view(type->ldapNames.front()) : typeName);
}

SourceNode MemoryTreeSource::Describe(NodeIndex i) const {
  const TreeNode& n = model_->Node(i);
  return SourceNode{i,
                    std::string(n.relativeName),
                    std::string(n.fullPath),
                    std::string(n.className),
                    std::string(n.aliasTarget),
                    n.isContainer,
                    n.isAlias};
}

DirResult<std::optional<SourceNode>> MemoryTreeSource::Find(std::string_view fullPath,
                                                            bool resolveAlias) const {
  const NodeIndex i = resolveAlias ? model_->Resolve(fullPath) : model_->Find(fullPath);
  if (i == kNoNode) return std::optional<SourceNode>();
  return std::optional<SourceNode>(Describe(i));
}

DirResult<std::vector<SourceNode>> MemoryTreeSource::Children(std::int64_t id) const {
  std::vector<SourceNode> out;
  for (NodeIndex c = model_->Node(static_cast<NodeIndex>(id)).firstChild; c != kNoNode;
       c = model_->Node(c).nextSibling) {
    out.push_back(Describe(c));
  }
  return out;
}

DirResult<std::vector<std::string>> MemoryTreeSource::Values(std::int64_t id,
                                                             std::string_view fieldName) const {
  const auto* type = model_->Schema().FindAttribute(fieldName);
  const std::string unknownName = type ? std::string() : ToUpperAscii(fieldName);
  std::vector<std::string> values;
  for (const auto& v : model_->Values(static_cast<NodeIndex>(id))) {
    if (v.type == type && v.unknownTypeUpper == unknownName) values.emplace_back(v.text);
  }
  return values;
}

DirResult<std::vector<std::string>> MemoryTreeSource::Search(
    std::int64_t context, std::string_view pattern, const std::vector<std::string>& classes,
    bool subtree) const {
  const TreeModel& model = *model_;
  auto matches = [&](NodeIndex i) {
    const TreeNode& n = model.Node(i);
    return std::any_of(classes.begin(), classes.end(),
                       [&](const std::string& c) { return EqualsNoCase(c, n.className); }) &&
           WildcardMatchNoCase(pattern, n.relativeName);
  };
  const auto top = static_cast<NodeIndex>(context);
  std::vector<NodeIndex> found;
  if (!subtree) {
    for (NodeIndex c = model.Node(top).firstChild; c != kNoNode; c = model.Node(c).nextSibling) {
      if (matches(c)) found.push_back(c);
    }
  } else {
    // Parents come before their children: one pass in file order marks what lies below.
    const auto size = static_cast<NodeIndex>(model.Size());
    std::vector<bool> below(static_cast<std::size_t>(size - top), false);
    below[0] = true;
    for (NodeIndex i = top + 1; i < size; ++i) {
      const NodeIndex parent = model.Node(i).parent;
      if (parent < top || !below[static_cast<std::size_t>(parent - top)]) continue;
      below[static_cast<std::size_t>(i - top)] = true;
      if (matches(i)) found.push_back(i);
    }
  }
  std::vector<std::string> names;
  names.reserve(found.size());
  for (NodeIndex i : found) names.emplace_back(model.Node(i).fullPath);
  return names;
}

DirResult<std::vector<std::string>> MemoryTreeSource::NamesOfClass(
    std::string_view className) const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < model_->Size(); ++i) {
    const auto& node = model_->Node(static_cast<NodeIndex>(i));
    if (node.className == className) names.emplace_back(node.relativeName);
  }
  return names;
}

}  // namespace cvx
