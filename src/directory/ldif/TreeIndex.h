#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "directory/ldif/TreeModel.h"
#include "directory/ldif/TreeSource.h"

namespace cvx {

// A tree file's index: a file in the user's cache folder holding what the folder backend asks of
// the tree (objects by full name and by parent, names for searches, and where each object's record
// is), so that a start reads a small part of the tree instead of the whole LDIF. An index is used
// only while it was built from the files as they are now and is whole; it is written beside the
// old one and renamed into place, so a reader never sees half of one.

// The index file of a tree file: in $XDG_CACHE_HOME/corvexa (when that is an absolute path) or
// ~/.cache/corvexa, named after the tree and the tree file's absolute path. Nothing when neither
// folder is known.
std::optional<std::string> TreeIndexFile(const std::string& ldifPath, const std::string& treeName);

// What an index must have been built from: path, size, modification time in nanoseconds and
// inode of the tree file and of each schema file. Nothing when a file cannot be looked at or was
// changed within the last two seconds (it may change again unseen within the same clock tick).
std::optional<std::string> TreeFilesIdentity(const std::string& ldifPath,
                                             const std::vector<std::string>& schemaPaths);

// Reads the tree file into memory: what answers when the tree file turns out changed after its
// index was opened.
using TreeReader = std::function<DirResult<std::shared_ptr<const TreeSource>>()>;

// The index in `file` when it is whole, one of this program's and was built from `identity`, with
// `ldifPath` (the tree file it was built from) open for the objects' values; nothing otherwise.
// Should the tree file fail it later, `reread` is called once (with one line on stderr) and its
// tree answers from then on.
std::shared_ptr<const TreeSource> OpenTreeIndex(const std::string& file,
                                                const std::string& identity,
                                                const std::string& ldifPath,
                                                std::shared_ptr<const SchemaModel> schema,
                                                TreeReader reread);

// Writes the index of a tree just read, made of `identity`'s files, into `file`, making the cache
// folder when needed. Nothing on success, else why it could not be written; no file is left behind
// then.
std::optional<std::string> WriteTreeIndex(const std::string& file, const std::string& identity,
                                          const TreeModel& model);

}  // namespace cvx
