#include "directory/ldap/LdapEntry.h"

#include "directory/ldap/LdapTree.h"

namespace cvx {

LdapEntry::LdapEntry(std::shared_ptr<LdapTree> tree, std::shared_ptr<const SchemaModel> schema,
                     LdapEntryDataPtr data, LdapClassFilter filter)
    : tree_(std::move(tree)),
      schema_(std::move(schema)),
      data_(std::move(data)),
      filter_(std::move(filter)) {}

DirResult<EntryList> LdapEntry::Children(const std::shared_ptr<LdapTree>& tree,
                                         const LdapEntryData& parent,
                                         const LdapClassFilter& filter) {
  auto info = tree->Info();
  if (!info) return info.dirError();
  auto children = tree->Children(parent, filter);
  if (!children) return children.dirError();
  EntryList out;
  out.reserve(children->size());
  for (auto& c : *children) {
    out.push_back(std::make_shared<LdapEntry>(tree, info.value()->SchemaPtr(), c, filter));
  }
  return out;
}

DirResult<LdapEntryDataPtr> LdapEntry::Holding(LdapTree& tree, LdapEntryDataPtr data,
                                               const AttributeTypeInfo* type) {
  if (data->Holds(type)) return data;
  return tree.ReadWhole(data->fullPath);
}

DirResult<std::optional<EntryList>> LdapEntry::SubEntries() const {
  const bool container = data_->isTreeRoot || data_->isContainer;
  // A leaf the server says holds nothing needs no question.
  if (!container && data_->hasSubordinates == false) return std::optional<EntryList>();
  auto children = Children(tree_, *data_, filter_);
  if (!children) return children.dirError();
  if (container || !children->empty()) return std::optional<EntryList>(std::move(*children));
  // A leaf class: a container all the same when something below it is filtered out.
  auto any = tree_->HasChildren(*data_);
  if (!any) return any.dirError();
  return *any ? std::optional<EntryList>(EntryList{}) : std::optional<EntryList>();
}

DirResult<std::vector<std::string>> LdapEntry::GetFieldValue(const std::string& fieldName) const {
  const auto* type = schema_->FindAttribute(fieldName);
  auto holding = Holding(*tree_, data_, type);
  if (!holding) return holding.dirError();
  data_ = holding.value();
  return data_->FieldValues(type, fieldName);
}

}  // namespace cvx
