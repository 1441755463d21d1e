#include "directory/TreeLevel.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

// An entry with fixed answers.
class FixedEntry : public DirEntry {
 public:
  FixedEntry(std::string name, DirResult<std::optional<EntryList>> below)
      : name_(std::move(name)), below_(std::move(below)) {}
  std::string RelativeName() const override { return name_; }
  std::string FullPath() const override { return R"(NDS:\\T\O\)" + name_; }
  EntryLayout Layout() const override { return {"Organizational Unit"}; }
  DirResult<std::optional<EntryList>> SubEntries() const override { return below_; }
  DirResult<std::vector<std::string>> GetFieldValue(const std::string&) const override {
    return std::vector<std::string>();
  }

 private:
  std::string name_;
  DirResult<std::optional<EntryList>> below_;
};

EntryPtr Leaf(const std::string& name) {
  return std::make_shared<FixedEntry>(name, std::optional<EntryList>());
}
EntryPtr Container(const std::string& name) {
  return std::make_shared<FixedEntry>(name, std::optional<EntryList>(EntryList{}));
}

TEST(TreeLevel, NodesCarryKeyTextImageAndTag) {
  const TreeNodeData node = NodeDataOf(*Leaf("JSMITH"));
  EXPECT_EQ(node.Key, R"(NDS:\\T\O\JSMITH)");
  EXPECT_EQ(node.Tag, node.Key);
  EXPECT_EQ(node.Text, "JSMITH");
  EXPECT_EQ(node.Image, "Organizational Unit");
  EXPECT_EQ(PlaceholderKey(node.Key), R"(dummy.NDS:\\T\O\JSMITH)");
}

TEST(TreeLevel, SortedByTextWithoutRegardToCaseTiesInDirectoryOrder) {
  const auto level = TreeLevelOf({Leaf("b2"), Container("Alpha"), Leaf("B2"), Leaf("aardvark")});
  std::vector<std::string> keys;
  for (const auto& n : level) keys.push_back(n.Text);
  EXPECT_EQ(keys, (std::vector<std::string>{"aardvark", "Alpha", "b2", "B2"}));
}

TEST(TreeLevel, OnlyWhatMayHoldEntriesGetsAPlaceholder) {
  EXPECT_FALSE(NodeDataOf(*Leaf("L")).HasChildren);
  EXPECT_TRUE(NodeDataOf(*Container("Empty")).HasChildren);
  // Unknown: opening it is how the administrator finds out.
  const FixedEntry unreadable("U", MakeDirError(kDirLost, "gone"));
  EXPECT_TRUE(NodeDataOf(unreadable).HasChildren);
}

}  // namespace
}  // namespace cvx
