#pragma once

#include <memory>
#include <string>
#include <vector>

#include "directory/DirEntry.h"
#include "directory/ldif/TreeModel.h"

namespace cvx {

// The class filter of the control that hands out an entry; shared by all its entries.
using ClassFilterList = std::shared_ptr<const std::vector<std::string>>;

bool PassesClassFilter(const ClassFilterList& filter, std::string_view className);

// An object of a tree read into memory. Cheap: a reference to the tree and a node number.
class LdifEntry : public DirEntry {
 public:
  LdifEntry(std::shared_ptr<const TreeModel> tree, NodeIndex node, ClassFilterList filter);

  std::string RelativeName() const override;
  std::string FullPath() const override;
  EntryLayout Layout() const override;
  DirResult<std::optional<EntryList>> SubEntries() const override;
  DirResult<std::vector<std::string>> GetFieldValue(const std::string& fieldName) const override;

  // The filtered children of a node as entries.
  static EntryList Children(const std::shared_ptr<const TreeModel>& tree, NodeIndex node,
                            const ClassFilterList& filter);

 private:
  const TreeNode& Node() const { return tree_->Node(node_); }

  std::shared_ptr<const TreeModel> tree_;
  NodeIndex node_;
  ClassFilterList filter_;
};

}  // namespace cvx
