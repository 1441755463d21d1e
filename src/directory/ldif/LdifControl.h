#pragma once

#include <memory>
#include <string>

#include "directory/DirectoryControl.h"
#include "directory/ldif/LdifEntry.h"

namespace cvx {

class LdifDirectory;

// A directory control over a folder directory.
class LdifControl : public DirectoryControl {
  Q_OBJECT

 public:
  explicit LdifControl(std::shared_ptr<LdifDirectory> directory);

  void SetClassFilter(const std::string& classes) override;
  std::string ClassFilter() const override { return filterText_; }
  std::string ContextPath() const override;
  void SetContextPath(const std::string& fullName) override { context_ = fullName; }
  std::string TreeNameOf(const std::string& fullName) const override;
  std::string JoinTreePath(const std::string& treeName, const std::string& path) const override;
  DirResult<EntryPtr> ContextEntry() const override;
  DirResult<EntryList> ContextEntries() const override;
  DirResult<EntryPtr> FindEntry(const std::string& fullName) const override;
  void StartSearch(const std::string& pattern, const std::string& classes, int scope,
                   const std::string& context) override;
  DirResult<LayoutCollection> SchemaLayouts() const override;
  DirResult<FieldTypeCollection> FieldTypes() const override;

 private:
  struct Located {
    std::shared_ptr<const TreeSource> tree;
    SourceNode node;
  };
  // The node of a full name; aliases are followed when `resolveAlias` is set.
  DirResult<Located> Locate(const std::string& fullName, bool resolveAlias) const;
  SearchOutcome Search(const std::string& pattern, const std::string& classes, int scope,
                       const std::string& context) const;

  std::shared_ptr<LdifDirectory> directory_;
  std::string filterText_;
  ClassFilterList filter_;
  std::string context_;
};

}  // namespace cvx
