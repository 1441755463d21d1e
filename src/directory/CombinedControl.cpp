#include "directory/CombinedControl.h"

#include <QTimer>

#include "core/FullName.h"
#include "directory/CombinedDirectory.h"

namespace cvx {

namespace {
DirError NotThere(const std::string& fullName) {
  return MakeDirError(kDirNoSuchObject, fullName + " does not exist");
}
}  // namespace

CombinedControl::CombinedControl(std::shared_ptr<CombinedDirectory> directory)
    : directory_(std::move(directory)) {
  for (int part = 0; part < 2; ++part) {
    parts_[part] = directory_->PartClient(part).CreateControl();
    connect(parts_[part].get(), &DirectoryControl::SearchCompleted, this,
            &DirectoryControl::SearchCompleted);
    connect(parts_[part].get(), &DirectoryControl::SearchProgress, this,
            &DirectoryControl::SearchProgress);
    connect(parts_[part].get(), &DirectoryControl::SearchRestarted, this,
            &DirectoryControl::SearchRestarted);
  }
}

void CombinedControl::SetClassFilter(const std::string& classes) {
  for (auto& p : parts_) p->SetClassFilter(classes);
}

void CombinedControl::SetSearchFields(const std::vector<std::string>& fields) {
  for (auto& p : parts_) p->SetSearchFields(fields);
}

std::string CombinedControl::ContextPath() const {
  return context_.empty() ? JoinFullName(directory_->DefaultTree(), "") : context_;
}

std::string CombinedControl::TreeNameOf(const std::string& fullName) const {
  const std::string tree = TreePartOfFullName(fullName);
  const auto holder = directory_->Holder(tree);
  return holder ? holder->second : tree;
}

std::string CombinedControl::JoinTreePath(const std::string& treeName,
                                          const std::string& path) const {
  return JoinFullName(treeName, path);
}

DirectoryControl* CombinedControl::PartFor(const std::string& fullName) const {
  const auto holder = directory_->Holder(TreePartOfFullName(fullName));
  return holder ? parts_[holder->first].get() : nullptr;
}

DirResult<DirectoryControl*> CombinedControl::ContextPart() const {
  const std::string context = ContextPath();
  DirectoryControl* part = PartFor(context);
  if (!part) return NotThere(context);
  part->SetContextPath(context);
  return part;
}

DirResult<EntryPtr> CombinedControl::ContextEntry() const {
  return FindEntry(ContextPath());
}

DirResult<EntryList> CombinedControl::ContextEntries() const {
  auto part = ContextPart();
  if (!part) return part.dirError();
  return (*part)->ContextEntries();
}

DirResult<EntryPtr> CombinedControl::FindEntry(const std::string& fullName) const {
  DirectoryControl* part = PartFor(fullName);
  if (!part) return NotThere(fullName);
  return part->FindEntry(fullName);
}

DirResult<std::size_t> CombinedControl::ReadField(const std::string& fullName,
                                                  const std::string& fieldName,
                                                  std::vector<std::string>& values) const {
  DirectoryControl* part = PartFor(fullName);
  if (!part) return NotThere(fullName);
  return part->ReadField(fullName, fieldName, values);
}

void CombinedControl::StartSearch(const std::string& pattern, const std::string& classes, int scope,
                                  const std::string& context) {
  DirectoryControl* part = PartFor(context);
  if (!part) {
    QTimer::singleShot(0, this, [this, context] { emit SearchCompleted(NotThere(context)); });
    return;
  }
  part->StartSearch(pattern, classes, scope, context);
}

DirResult<LayoutCollection> CombinedControl::SchemaLayouts() const {
  auto part = ContextPart();
  if (!part) return part.dirError();
  return (*part)->SchemaLayouts();
}

DirResult<FieldTypeCollection> CombinedControl::FieldTypes() const {
  auto part = ContextPart();
  if (!part) return part.dirError();
  return (*part)->FieldTypes();
}

}  // namespace cvx
