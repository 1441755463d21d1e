#pragma once

#include <memory>

#include "directory/ldif/TreeModel.h"
#include "directory/ldif/TreeSource.h"

namespace cvx {

// A tree read into memory from its LDIF file.
class MemoryTreeSource : public TreeSource {
 public:
  explicit MemoryTreeSource(std::shared_ptr<const TreeModel> model) : model_(std::move(model)) {}

  const TreeModel& Model() const { return *model_; }

  const SchemaModel& Schema() const override { return model_->Schema(); }
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
  SourceNode Describe(NodeIndex i) const;

  std::shared_ptr<const TreeModel> model_;
};

}  // namespace cvx
