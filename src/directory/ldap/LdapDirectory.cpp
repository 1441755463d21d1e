#include "directory/ldap/LdapDirectory.h"

#include <QDebug>
#include <algorithm>

#include "core/TextUtil.h"
#include "directory/ldap/LdapControl.h"
#include "directory/ldap/LdapSession.h"

namespace cvx {

DirResult<std::shared_ptr<LdapDirectory>> LdapDirectory::Open(std::vector<LdapTreeLocation> trees,
                                                              LdapOptions options,
                                                              const std::string& preferredTree,
                                                              bool connectDefault) {
  if (trees.empty()) return MakeDirError(kDirClientMissing, "no live tree to open");
  auto dir = std::shared_ptr<LdapDirectory>(new LdapDirectory());
  // Searches of different controls run side by side; more than a few at once gains nothing.
  dir->searchThreads_.setMaxThreadCount(4);
  auto shared = std::make_shared<const LdapOptions>(std::move(options));
  for (auto& t : trees) {
    dir->trees_.push_back(std::make_shared<LdapTree>(t.name, t.uri, shared, t.fault));
  }

  // A tree that is named by its server is asked now.
  for (auto& tree : dir->trees_) {
    if (!tree->Name().empty()) continue;
    auto info = tree->Info();
    if (!info) return MakeDirError(kDirClientMissing, info.message());
  }
  std::sort(dir->trees_.begin(), dir->trees_.end(),
            [](const auto& a, const auto& b) { return a->Name() < b->Name(); });
  for (std::size_t i = 1; i < dir->trees_.size(); ++i) {
    if (EqualsNoCase(dir->trees_[i - 1]->Name(), dir->trees_[i]->Name())) {
      return MakeDirError(kDirClientMissing, "two live trees are named " + dir->trees_[i]->Name());
    }
  }

  dir->defaultTree_ = dir->trees_.front()->Name();
  if (!preferredTree.empty()) {
    if (auto name = dir->CanonicalTreeName(preferredTree)) {
      dir->defaultTree_ = *name;
    } else {
      qWarning().noquote() << "cvx: the preferred tree" << QString::fromStdString(preferredTree)
                           << "is not among the live trees - using"
                           << QString::fromStdString(dir->defaultTree_);
    }
  }
  if (connectDefault) {
    auto info = dir->Tree(dir->defaultTree_)->Info();
    if (!info) return MakeDirError(kDirClientMissing, info.message());
  }
  return dir;
}

LdapDirectory::~LdapDirectory() {
  // The controls, which hold the directory, cancelled their searches when they went.
  searchThreads_.waitForDone();
}

std::unique_ptr<DirectoryControl> LdapDirectory::CreateControl() {
  return std::make_unique<LdapControl>(shared_from_this());
}

std::unique_ptr<SessionControl> LdapDirectory::CreateSession() {
  return std::make_unique<LdapSession>(shared_from_this());
}

std::optional<std::string> LdapDirectory::CanonicalTreeName(const std::string& name) const {
  if (auto tree = Tree(name)) return tree->Name();
  return std::nullopt;
}

std::shared_ptr<LdapTree> LdapDirectory::Tree(const std::string& name) const {
  for (const auto& t : trees_) {
    if (EqualsNoCase(t->Name(), name)) return t;
  }
  return nullptr;
}

}  // namespace cvx
