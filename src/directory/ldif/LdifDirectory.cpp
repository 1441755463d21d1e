#include "directory/ldif/LdifDirectory.h"

#include <QDebug>
#include <algorithm>
#include <filesystem>

#include "core/TextUtil.h"
#include "directory/SchemaFileReader.h"
#include "directory/ldif/LdifControl.h"
#include "directory/ldif/LdifSession.h"
#include "directory/ldif/MemoryTreeSource.h"
#include "directory/ldif/TreeIndex.h"
#include "directory/ldif/TreeLoader.h"

namespace cvx {

namespace fs = std::filesystem;

DirResult<std::shared_ptr<LdifDirectory>> LdifDirectory::Open(const std::string& folder,
                                                              const std::string& preferredTree) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) {
    return MakeDirError(kDirClientMissing, "directory folder " + folder + " does not exist");
  }
  std::vector<fs::path> ldifFiles, schemaFiles;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    if (!e.is_regular_file(ec)) continue;
    const auto ext = ToUpperAscii(e.path().extension().string());
    if (ext == ".LDIF") ldifFiles.push_back(e.path());
    if (ext == ".SCHEMA") schemaFiles.push_back(e.path());
  }
  if (ec)
    return MakeDirError(kDirClientMissing, "directory folder " + folder + ": " + ec.message());
  if (ldifFiles.empty()) {
    return MakeDirError(kDirClientMissing,
                        "directory folder " + folder + " holds no tree (*.ldif)");
  }
  std::sort(ldifFiles.begin(), ldifFiles.end());
  std::sort(schemaFiles.begin(), schemaFiles.end());

  auto dir = std::shared_ptr<LdifDirectory>(new LdifDirectory());
  std::vector<std::string> treeNames;
  for (const auto& p : ldifFiles) treeNames.push_back(p.stem().string());

  // Read every schema file once; then give each tree the common files plus its own.
  struct SchemaFile {
    std::string stem;
    std::string path;
    SchemaDefinitions definitions;
  };
  std::vector<SchemaFile> common, own;
  for (const auto& p : schemaFiles) {
    auto defs = ReadSchemaFile(p.string());
    if (!defs) return defs.dirError();
    const auto stem = p.stem().string();
    const bool isOwn = std::any_of(treeNames.begin(), treeNames.end(),
                                   [&](const std::string& t) { return EqualsNoCase(t, stem); });
    (isOwn ? own : common).push_back(SchemaFile{stem, p.string(), std::move(defs).value()});
  }
  for (std::size_t i = 0; i < ldifFiles.size(); ++i) {
    std::vector<const SchemaDefinitions*> files;
    TreeSlot slot;
    for (const auto& c : common) {
      files.push_back(&c.definitions);
      slot.schemaPaths.push_back(c.path);
    }
    for (const auto& o : own) {
      if (!EqualsNoCase(o.stem, treeNames[i])) continue;
      files.push_back(&o.definitions);
      slot.schemaPaths.push_back(o.path);
    }
    slot.name = treeNames[i];
    slot.ldifPath = ldifFiles[i].string();
    slot.indexFile = TreeIndexFile(slot.ldifPath, slot.name);
    slot.schema = std::make_shared<const SchemaModel>(files);
    if (!slot.schema->CycleError().empty()) {
      return MakeDirError(kDirClientMissing, "the schema of tree " + treeNames[i] + " in " +
                                                 folder +
                                                 " is refused: " + slot.schema->CycleError());
    }
    dir->trees_.push_back(std::move(slot));
  }

  dir->defaultTree_ = dir->trees_.front().name;
  if (!preferredTree.empty()) {
    if (auto name = dir->CanonicalTreeName(preferredTree)) {
      dir->defaultTree_ = *name;
    } else {
      // A mistyped preference should not stop the program: say so and use the first tree.
      qWarning().noquote() << "cvx: the preferred tree" << QString::fromStdString(preferredTree)
                           << "is not in" << QString::fromStdString(folder) << "- using"
                           << QString::fromStdString(dir->defaultTree_);
    }
  }
  return dir;
}

std::unique_ptr<DirectoryControl> LdifDirectory::CreateControl() {
  return std::make_unique<LdifControl>(shared_from_this());
}

std::unique_ptr<SessionControl> LdifDirectory::CreateSession() {
  return std::make_unique<LdifSession>(shared_from_this());
}

LdifDirectory::TreeSlot* LdifDirectory::FindSlot(const std::string& name) {
  for (auto& t : trees_) {
    if (EqualsNoCase(t.name, name)) return &t;
  }
  return nullptr;
}

const LdifDirectory::TreeSlot* LdifDirectory::FindSlot(const std::string& name) const {
  return const_cast<LdifDirectory*>(this)->FindSlot(name);
}

std::optional<std::string> LdifDirectory::CanonicalTreeName(const std::string& name) const {
  const auto* slot = FindSlot(name);
  return slot ? std::optional<std::string>(slot->name) : std::nullopt;
}

DirResult<std::shared_ptr<const TreeSource>> LdifDirectory::Tree(const std::string& name) {
  TreeSlot* slot = FindSlot(name);
  if (!slot) return MakeDirError(kDirNoSuchObject, "there is no tree " + name);
  if (slot->source) return slot->source;
  if (slot->loadError) return *slot->loadError;
  // The files are looked at before they are read: a file changed while it is read leaves an
  // index that no longer matches, and the next start reads it again.
  const auto& indexFile = slot->indexFile;
  const auto identity = TreeFilesIdentity(slot->ldifPath, slot->schemaPaths);
  if (indexFile && identity) {
    auto reread = [path = slot->ldifPath, name = slot->name,
                   schema = slot->schema]() -> DirResult<std::shared_ptr<const TreeSource>> {
      auto loaded = LoadTree(path, name, schema);
      if (!loaded) return loaded.dirError();
      return std::shared_ptr<const TreeSource>(std::make_shared<MemoryTreeSource>(*loaded));
    };
    if (auto indexed = OpenTreeIndex(*indexFile, *identity, slot->ldifPath, slot->schema, reread)) {
      slot->source = std::move(indexed);
      return slot->source;
    }
  }
  auto loaded = LoadTree(slot->ldifPath, slot->name, slot->schema);
  if (!loaded) {
    slot->loadError = loaded.dirError();
    qWarning().noquote() << "cvx: tree" << QString::fromStdString(slot->name)
                         << "cannot be read:" << QString::fromStdString(loaded.message());
    return loaded.dirError();
  }
  if (indexFile && identity) {
    if (auto why = WriteTreeIndex(*indexFile, *identity, **loaded)) {
      // Never fatal: this start has the tree in memory, and the next one reads the file again.
      qWarning().noquote() << "cvx: no index of tree" << QString::fromStdString(slot->name)
                           << "can be kept in" << QString::fromStdString(*why);
    }
  }
  slot->source = std::make_shared<MemoryTreeSource>(loaded.value());
  return slot->source;
}

DirResult<std::shared_ptr<const SchemaModel>> LdifDirectory::Schema(
    const std::string& treeName) const {
  const auto* slot = FindSlot(treeName);
  if (!slot) return MakeDirError(kDirNoSuchObject, "there is no tree " + treeName);
  return slot->schema;
}

}  // namespace cvx
