#pragma once

#include <memory>
#include <string>

#include "directory/DirectoryControl.h"

namespace cvx {

class CombinedDirectory;

// A control over a folder of live and offline trees: one control of each part, each call sent
// to the part that holds the tree concerned.
class CombinedControl : public DirectoryControl {
  Q_OBJECT

 public:
  explicit CombinedControl(std::shared_ptr<CombinedDirectory> directory);

  void SetClassFilter(const std::string& classes) override;
  void SetSearchFields(const std::vector<std::string>& fields) override;
  std::string ClassFilter() const override { return parts_[0]->ClassFilter(); }
  std::string ContextPath() const override;
  void SetContextPath(const std::string& fullName) override { context_ = fullName; }
  std::string TreeNameOf(const std::string& fullName) const override;
  std::string JoinTreePath(const std::string& treeName, const std::string& path) const override;
  DirResult<EntryPtr> ContextEntry() const override;
  DirResult<EntryList> ContextEntries() const override;
  DirResult<EntryPtr> FindEntry(const std::string& fullName) const override;
  DirResult<std::size_t> ReadField(const std::string& fullName, const std::string& fieldName,
                                   std::vector<std::string>& values) const override;
  void StartSearch(const std::string& pattern, const std::string& classes, int scope,
                   const std::string& context) override;
  DirResult<LayoutCollection> SchemaLayouts() const override;
  DirResult<FieldTypeCollection> FieldTypes() const override;

 private:
  // The part's control for a full name's tree, or null for a tree neither part has.
  DirectoryControl* PartFor(const std::string& fullName) const;
  // The part's control with this control's context, or 601.
  DirResult<DirectoryControl*> ContextPart() const;

  std::shared_ptr<CombinedDirectory> directory_;
  std::unique_ptr<DirectoryControl> parts_[2];
  std::string context_;
};

}  // namespace cvx
