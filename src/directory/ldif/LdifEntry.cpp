#include "directory/ldif/LdifEntry.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

bool PassesClassFilter(const ClassFilterList& filter, std::string_view className) {
  if (!filter || filter->empty()) return true;
  return std::any_of(filter->begin(), filter->end(),
                     [&](const std::string& c) { return EqualsNoCase(c, className); });
}

LdifEntry::LdifEntry(std::shared_ptr<const TreeModel> tree, NodeIndex node, ClassFilterList filter)
    : tree_(std::move(tree)), node_(node), filter_(std::move(filter)) {}

std::string LdifEntry::RelativeName() const {
  return std::string(Node().relativeName);
}

std::string LdifEntry::FullPath() const {
  return std::string(Node().fullPath);
}

EntryLayout LdifEntry::Layout() const {
  return EntryLayout{std::string(Node().className)};
}

EntryList LdifEntry::Children(const std::shared_ptr<const TreeModel>& tree, NodeIndex node,
                              const ClassFilterList& filter) {
  EntryList out;
  for (NodeIndex c : tree->Node(node).children) {
    if (PassesClassFilter(filter, tree->Node(c).className)) {
      out.push_back(std::make_shared<LdifEntry>(tree, c, filter));
    }
  }
  return out;
}

DirResult<std::optional<EntryList>> LdifEntry::SubEntries() const {
  if (!Node().isContainer) return std::optional<EntryList>();
  return std::optional<EntryList>(Children(tree_, node_, filter_));
}

DirResult<std::vector<std::string>> LdifEntry::GetFieldValue(const std::string& fieldName) const {
  const auto* type = tree_->Schema().FindAttribute(fieldName);
  const std::string unknownName = type ? std::string() : ToUpperAscii(fieldName);
  std::vector<std::string> values;
  for (const auto& v : Node().values) {
    if (v.type == type && v.unknownTypeUpper == unknownName) values.emplace_back(v.text);
  }
  return values;
}

}  // namespace cvx
