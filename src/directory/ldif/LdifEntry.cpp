#include "directory/ldif/LdifEntry.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

bool PassesClassFilter(const ClassFilterList& filter, const std::string& className) {
  if (!filter || filter->empty()) return true;
  return std::any_of(filter->begin(), filter->end(),
                     [&](const std::string& c) { return EqualsNoCase(c, className); });
}

LdifEntry::LdifEntry(std::shared_ptr<const TreeModel> tree, NodeIndex node, ClassFilterList filter)
    : tree_(std::move(tree)), node_(node), filter_(std::move(filter)) {}

std::string LdifEntry::RelativeName() const {
  return Node().relativeName;
}

std::string LdifEntry::FullPath() const {
  return Node().fullPath;
}

EntryLayout LdifEntry::Layout() const {
  return EntryLayout{Node().className};
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
  const std::string key = ToUpperAscii(type ? type->ndsName : fieldName);
  for (const auto& a : Node().attributes) {
    if (a.ndsNameUpper == key) return a.values;
  }
  return std::vector<std::string>{};
}

}  // namespace cvx
