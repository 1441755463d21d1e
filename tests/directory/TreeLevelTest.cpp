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
  std::string FullPath() const override { return R"(NDS:\\T\)" + name_; }
  EntryLayout Layout() const override { return {"Organizational Unit"}; }
  DirResult<std::optional<EntryList>> SubEntries() const override { return below_; }
  DirResult<std::vector<std::string>> GetFieldValue(const std::string&) const override {
    return std::vector<std::string>();
  }

 private:
  std::string name_;
  DirResult<std::optional<EntryList>> below_;
};

EntryPtr Entry(const std::string& name, DirResult<std::optional<EntryList>> below) {
  return std::make_shared<FixedEntry>(name, std::move(below));
}

TEST(TreeLevel, SortedWithoutRegardToCaseAndMarkedWhereEntriesMayBeBelow) {
  const auto level = TreeLevelOf({Entry("b2", std::optional<EntryList>()),
                                  Entry("Alpha", std::optional<EntryList>(EntryList{})),
                                  Entry("B2", MakeDirError(kDirLost, "gone")),
                                  Entry("aardvark", std::optional<EntryList>())});
  std::vector<std::string> texts;
  for (const auto& n : level) texts.push_back(n.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"aardvark", "Alpha", "b2", "B2"}));  // ties stay
  // A leaf has nothing below; an empty container and one that cannot be read are opened to see.
  EXPECT_FALSE(level[0].HasChildren);
  EXPECT_TRUE(level[1].HasChildren);
  EXPECT_TRUE(level[3].HasChildren);
  EXPECT_EQ(level[1].Key, R"(NDS:\\T\Alpha)");
  EXPECT_EQ(level[1].Tag, level[1].Key);
  EXPECT_EQ(level[1].Image, "Organizational Unit");
  EXPECT_EQ(PlaceholderKey(level[1].Key), R"(dummy.NDS:\\T\Alpha)");
}

}  // namespace
}  // namespace cvx
