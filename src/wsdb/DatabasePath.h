#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// A tree name can name a database file: not empty, without "/", "\", ".." and control
// characters, so that no name leads outside the database directory.
bool IsUsableTreeName(std::string_view treeName);

// DBPath, the separator and TREE.lst; nothing when the directory is empty or the tree name is
// not usable.
std::optional<std::string> DatabaseFilePath(std::string_view dbPath, std::string_view treeName);

}  // namespace cvx
