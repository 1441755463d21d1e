#include "directory/ldif/LdifEntry.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace cvx {

bool PassesClassFilter(const ClassFilterList& filter, std::string_view className) {
  if (!filter || filter->empty()) return true;
  return std::any_of(filter->begin(), filter->end(),
                     [&](const std::string& c) { return EqualsNoCase(c, className); });
}

LdifEntry::LdifEntry(std::shared_ptr<const TreeSource> tree, SourceNode node,
                     ClassFilterList filter)
    : tree_(std::move(tree)), node_(std::move(node)), filter_(std::move(filter)) {}

std::string LdifEntry::RelativeName() const {
  return node_.relativeName;
}

std::string LdifEntry::FullPath() const {
  return node_.fullPath;
}

EntryLayout LdifEntry::Layout() const {
  return EntryLayout{node_.className};
}

DirResult<EntryList> LdifEntry::Children(const std::shared_ptr<const TreeSource>& tree,
                                         std::int64_t node, const ClassFilterList& filter) {
  auto children = tree->Children(node);
  if (!children) return children.dirError();
  EntryList out;
  for (auto& c : *children) {
    if (PassesClassFilter(filter, c.className)) {
      out.push_back(std::make_shared<LdifEntry>(tree, std::move(c), filter));
    }
  }
  return out;
}

DirResult<std::optional<EntryList>> LdifEntry::SubEntries() const {
  if (!node_.isContainer) return std::optional<EntryList>();
  auto children = Children(tree_, node_.id, filter_);
  if (!children) return children.dirError();
  return std::optional<EntryList>(std::move(children).value());
}

DirResult<std::vector<std::string>> LdifEntry::GetFieldValue(const std::string& fieldName) const {
  return tree_->Values(node_.id, fieldName);
}

}  // namespace cvx
