#pragma once

#include <string>
#include <vector>

#include "directory/DirEntry.h"

namespace cvx {

// What a browser shows of one directory entry, as plain values.
struct TreeNodeData {
  std::string Key;           // the entry's full name; unique in a tree
  std::string Text;          // its relative name
  std::string Image;         // its class name, the key of its picture
  std::string Tag;           // its full name again
  bool HasChildren = false;  // a container: it gets a placeholder child until it is opened
};

// The placeholder child that gives an unopened container its expand mark. Its key cannot equal a
// real key, which always starts with "NDS:\\".
inline constexpr char kPlaceholderText[] = "_dummy_";
std::string PlaceholderKey(const std::string& fullName);

// The node of one entry. An entry whose sub-entries cannot be read counts as a container, so that
// opening it tries again rather than hiding what may be below.
TreeNodeData NodeDataOf(const DirEntry& entry);

// The nodes of a collection of entries, sorted by text without regard to case (ties keep the
// directory's order), as a browser lists a level.
std::vector<TreeNodeData> TreeLevelOf(const EntryList& entries);

}  // namespace cvx
