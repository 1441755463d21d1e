#include "directory/ldif/LdifControl.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "core/FullName.h"
#include "core/TextUtil.h"
#include "directory/ldif/LdifDirectory.h"

namespace cvx {

LdifControl::LdifControl(std::shared_ptr<LdifDirectory> directory)
    : directory_(std::move(directory)),
      filter_(std::make_shared<const std::vector<std::string>>()) {}

void LdifControl::SetClassFilter(const std::string& classes) {
  filterText_ = classes;
  filter_ = std::make_shared<const std::vector<std::string>>(SplitCommaList(classes));
}

std::string LdifControl::ContextPath() const {
  return context_.empty() ? JoinFullName(directory_->DefaultTree(), "") : context_;
}

std::string LdifControl::TreeNameOf(const std::string& fullName) const {
  std::string tree = TreePartOfFullName(fullName);
  if (auto canonical = directory_->CanonicalTreeName(tree)) return *canonical;
  return tree;
}

std::string LdifControl::JoinTreePath(const std::string& treeName, const std::string& path) const {
  return JoinFullName(treeName, path);
}

DirResult<LdifControl::Located> LdifControl::Locate(const std::string& fullName,
                                                    bool resolveAlias) const {
  auto tree = directory_->Tree(TreePartOfFullName(fullName));
  if (!tree) return tree.dirError();
  auto node = tree.value()->Find(fullName, resolveAlias);
  if (!node) return node.dirError();
  if (!*node) return MakeDirError(kDirNoSuchObject, fullName + " does not exist");
  return Located{tree.value(), std::move(**node)};
}

DirResult<EntryPtr> LdifControl::ContextEntry() const {
  return FindEntry(ContextPath());
}

DirResult<EntryList> LdifControl::ContextEntries() const {
  auto at = Locate(ContextPath(), true);
  if (!at) return at.dirError();
  return LdifEntry::Children(at->tree, at->node.id, filter_);
}

DirResult<EntryPtr> LdifControl::FindEntry(const std::string& fullName) const {
  auto at = Locate(fullName, true);
  if (!at) return at.dirError();
  return EntryPtr(std::make_shared<LdifEntry>(at->tree, std::move(at->node), filter_));
}

void LdifControl::StartSearch(const std::string& pattern, const std::string& classes, int scope,
                              const std::string& context) {
  // The caller learns of the result from the event loop, as from any directory search; a control
  // deleted meanwhile gets nothing.
  QTimer::singleShot(0, this, [this, pattern, classes, scope, context] {
    emit SearchCompleted(Search(pattern, classes, scope, context));
  });
}

SearchOutcome LdifControl::Search(const std::string& pattern, const std::string& classes, int scope,
                                  const std::string& context) const {
  auto at = Locate(context, true);
  if (!at) return at.dirError();
  return at->tree->Search(at->node.id, pattern, SplitCommaList(classes),
                          scope != kScopeContainerOnly);
}

DirResult<LayoutCollection> LdifControl::SchemaLayouts() const {
  auto schema = directory_->Schema(TreeNameOf(ContextPath()));
  if (!schema) return schema.dirError();
  return schema.value()->Layouts();
}

DirResult<FieldTypeCollection> LdifControl::FieldTypes() const {
  auto schema = directory_->Schema(TreeNameOf(ContextPath()));
  if (!schema) return schema.dirError();
  return schema.value()->FieldTypes();
}

}  // namespace cvx
