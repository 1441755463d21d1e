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
  const auto& model = tree.value();
  const NodeIndex node = resolveAlias ? model->Resolve(fullName) : model->Find(fullName);
  if (node == kNoNode) return MakeDirError(kDirNoSuchObject, fullName + " does not exist");
  return Located{model, node};
}

DirResult<EntryPtr> LdifControl::ContextEntry() const {
  return FindEntry(ContextPath());
}

DirResult<EntryList> LdifControl::ContextEntries() const {
  auto at = Locate(ContextPath(), true);
  if (!at) return at.dirError();
  return LdifEntry::Children(at->tree, at->node, filter_);
}

DirResult<EntryPtr> LdifControl::FindEntry(const std::string& fullName) const {
  auto at = Locate(fullName, true);
  if (!at) return at.dirError();
  return EntryPtr(std::make_shared<LdifEntry>(at->tree, at->node, filter_));
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
  const auto wanted = SplitCommaList(classes);
  const TreeModel& model = *at->tree;
  auto matches = [&](NodeIndex i) {
    const TreeNode& n = model.Node(i);
    return std::any_of(wanted.begin(), wanted.end(),
                       [&](const std::string& c) { return EqualsNoCase(c, n.className); }) &&
           WildcardMatchNoCase(pattern, n.relativeName);
  };

  std::vector<NodeIndex> found;
  if (scope == kScopeContainerOnly) {
    for (NodeIndex c : model.Node(at->node).children) {
      if (matches(c)) found.push_back(c);
    }
  } else {
    std::vector<NodeIndex> stack(model.Node(at->node).children.rbegin(),
                                 model.Node(at->node).children.rend());
    while (!stack.empty()) {
      const NodeIndex i = stack.back();
      stack.pop_back();
      if (matches(i)) found.push_back(i);
      const auto& kids = model.Node(i).children;
      stack.insert(stack.end(), kids.rbegin(), kids.rend());
    }
    // Node numbers are file order: the directory's own order.
    std::sort(found.begin(), found.end());
  }
  SearchResults names;
  names.reserve(found.size());
  for (NodeIndex i : found) names.emplace_back(model.Node(i).fullPath);
  return names;
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
