#pragma once

#include <memory>
#include <string>
#include <vector>

#include "directory/DirEntry.h"
#include "directory/ldif/TreeSource.h"

namespace cvx {

// The class filter of the control that hands out an entry; shared by all its entries.
using ClassFilterList = std::shared_ptr<const std::vector<std::string>>;

bool PassesClassFilter(const ClassFilterList& filter, std::string_view className);

// An object of a folder tree: the tree it comes from and what it is.
class LdifEntry : public DirEntry {
 public:
  LdifEntry(std::shared_ptr<const TreeSource> tree, SourceNode node, ClassFilterList filter);

  std::string RelativeName() const override;
  std::string FullPath() const override;
  EntryLayout Layout() const override;
  DirResult<std::optional<EntryList>> SubEntries() const override;
  DirResult<std::vector<std::string>> GetFieldValue(const std::string& fieldName) const override;

  // The filtered children of a node as entries.
  static DirResult<EntryList> Children(const std::shared_ptr<const TreeSource>& tree,
                                       std::int64_t node, const ClassFilterList& filter);

 private:
  std::shared_ptr<const TreeSource> tree_;
  SourceNode node_;
  ClassFilterList filter_;
};

}  // namespace cvx
