#pragma once

#include <memory>
#include <string>

#include "directory/ldif/TreeIndexFormat.h"
#include "directory/ldif/TreeSource.h"

namespace cvx {

// A tree answered from its index, held in memory (a small part of the tree file), and from the
// tree file itself for the values of an object. The index must be checked whole already
// (CheckTreeIndex); `ldif` is the tree file it was built from, open, and closed with this source.
class IndexedTreeSource : public TreeSource {
 public:
  IndexedTreeSource(TreeIndexData index, std::string file, int ldif, std::string ldifPath,
                    std::shared_ptr<const SchemaModel> schema);
  ~IndexedTreeSource() override;
  IndexedTreeSource(const IndexedTreeSource&) = delete;
  IndexedTreeSource& operator=(const IndexedTreeSource&) = delete;

  const SchemaModel& Schema() const override { return *schema_; }
  DirResult<std::optional<SourceNode>> Find(std::string_view fullPath,
                                            bool resolveAlias) const override;
  DirResult<std::vector<SourceNode>> Children(std::int64_t id) const override;
  DirResult<std::vector<std::string>> Values(std::int64_t id,
                                             std::string_view fieldName) const override;
  DirResult<std::vector<std::string>> Search(std::int64_t context, std::string_view pattern,
                                             const std::vector<std::string>& classes,
                                             bool subtree) const override;
  DirResult<std::vector<std::string>> NamesOfClass(std::string_view className) const override;

 private:
  std::string_view Name(std::size_t i) const;
  std::string_view ClassName(std::size_t i) const;
  std::string_view AliasTarget(std::size_t i) const;
  std::string PathOf(std::size_t i) const;
  bool PathIs(std::size_t i, std::string_view fullPath) const;
  std::int64_t FindPath(std::string_view fullPath) const;
  SourceNode Describe(std::size_t i, const std::string& parentPath) const;

  TreeIndexData index_;
  std::string file_;
  int ldif_;
  std::string ldifPath_;
  std::shared_ptr<const SchemaModel> schema_;
  std::string root_;  // the tree object's full name
};

// Whether the sections of an index hold together: every parent earlier, every place in the text
// inside it, every class and slot pointing at one there is. Checked once, when it is read, so
// that nothing read later can point outside it.
bool CheckTreeIndex(const TreeIndexData& index);

}  // namespace cvx
