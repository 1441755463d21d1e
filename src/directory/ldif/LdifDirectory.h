#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "directory/DirResult.h"
#include "directory/DirectoryClient.h"
#include "directory/ldif/TreeSource.h"

namespace cvx {

// A directory kept in a folder: one <TREE>.ldif per tree and *.schema files. A schema file named
// after a tree belongs to that tree only; the others apply to every tree. Schemas are read when
// the folder is opened (they are small, and a broken one should stop the program at once); a
// tree is opened the first time anything needs it, and then kept: through its index in the
// user's cache folder when that was built from the files as they are now, else read from its
// file (and the index written for the next start; see TreeIndex.h).
class LdifDirectory : public DirectoryClient, public std::enable_shared_from_this<LdifDirectory> {
 public:
  static DirResult<std::shared_ptr<LdifDirectory>> Open(const std::string& folder,
                                                        const std::string& preferredTree);

  std::unique_ptr<DirectoryControl> CreateControl() override;
  std::unique_ptr<SessionControl> CreateSession() override;

  const std::string& DefaultTree() const { return defaultTree_; }
  // The tree's name as the directory spells it, or nothing when there is no such tree.
  std::optional<std::string> CanonicalTreeName(const std::string& name) const;
  // The tree, opened on first use. Unknown tree: kDirNoSuchObject; unreadable: kDirLost.
  DirResult<std::shared_ptr<const TreeSource>> Tree(const std::string& name);
  DirResult<std::shared_ptr<const SchemaModel>> Schema(const std::string& treeName) const;

 private:
  LdifDirectory() = default;

  struct TreeSlot {
    std::string name;
    std::string ldifPath;
    std::vector<std::string> schemaPaths;  // in the order the schema model reads them
    std::optional<std::string> indexFile;  // where its index lives, fixed when the folder opens
    std::shared_ptr<const SchemaModel> schema;
    std::shared_ptr<const TreeSource> source;
    std::optional<DirError> loadError;  // kept: a broken file is reported, not re-read, each time
  };

  TreeSlot* FindSlot(const std::string& name);
  const TreeSlot* FindSlot(const std::string& name) const;

  std::vector<TreeSlot> trees_;  // by name
  std::string defaultTree_;
};

}  // namespace cvx
