#pragma once

#include <memory>
#include <string>
#include <vector>

#include "directory/DirEntry.h"
#include "directory/ldap/LdapEntryData.h"
#include "directory/ldap/LdapQueries.h"

namespace cvx {

class LdapTree;

// An object of a live tree as a server sent it. Its values are those of the moment it was read;
// what lies below it is asked for when wanted.
class LdapEntry : public DirEntry {
 public:
  LdapEntry(std::shared_ptr<LdapTree> tree, std::shared_ptr<const SchemaModel> schema,
            LdapEntryDataPtr data, LdapClassFilter filter);

  std::string RelativeName() const override { return data_->relativeName; }
  std::string FullPath() const override { return data_->fullPath; }
  EntryLayout Layout() const override { return EntryLayout{data_->className}; }
  DirResult<std::optional<EntryList>> SubEntries() const override;
  DirResult<std::vector<std::string>> GetFieldValue(const std::string& fieldName) const override;

  // `data` when it was read with this field's attribute (null: a type the schema lacks), else
  // the whole object from the server.
  static DirResult<LdapEntryDataPtr> Holding(LdapTree& tree, LdapEntryDataPtr data,
                                             const AttributeTypeInfo* type);

  // The objects below `parent` that pass the filter, as entries.
  static DirResult<EntryList> Children(const std::shared_ptr<LdapTree>& tree,
                                       const LdapEntryData& parent, const LdapClassFilter& filter);

 private:
  std::shared_ptr<LdapTree> tree_;
  std::shared_ptr<const SchemaModel> schema_;
  mutable LdapEntryDataPtr data_;  // replaced by the whole entry when a hit lacks a field
  LdapClassFilter filter_;
};

}  // namespace cvx
