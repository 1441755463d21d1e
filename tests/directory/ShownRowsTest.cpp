// What the window shows of directory entries: the levels of the browser and the attribute rows.

#include <gtest/gtest.h>

#include "directory/AttributeRows.h"
#include "directory/DirectoryClient.h"
#include "directory/TreeLevel.h"

namespace cvx {
namespace {

using Names = std::vector<std::string>;

// An entry with fixed answers.
class FixedEntry : public DirEntry {
 public:
  FixedEntry(std::string name, DirResult<std::optional<EntryList>> below)
      : name_(std::move(name)), below_(std::move(below)) {}
  std::string RelativeName() const override { return name_; }
  std::string FullPath() const override { return R"(NDS:\\T\)" + name_; }
  EntryLayout Layout() const override { return {"Organizational Unit"}; }
  DirResult<std::optional<EntryList>> SubEntries() const override { return below_; }
  DirResult<Names> GetFieldValue(const std::string&) const override { return Names(); }

 private:
  std::string name_;
  DirResult<std::optional<EntryList>> below_;
};

// Sorted without regard to case, ties in directory order; a leaf has nothing below, an empty
// container and one that cannot be read are opened to see.
TEST(TreeLevel, SortedWithoutRegardToCaseAndMarkedWhereEntriesMayBeBelow) {
  const auto level =
      TreeLevelOf({std::make_shared<FixedEntry>("b2", std::optional<EntryList>()),
                   std::make_shared<FixedEntry>("Alpha", std::optional<EntryList>(EntryList{})),
                   std::make_shared<FixedEntry>("B2", MakeDirError(kDirLost, "gone")),
                   std::make_shared<FixedEntry>("aardvark", std::optional<EntryList>())});
  Names shown;
  for (const auto& n : level) shown.push_back(n.Text + (n.HasChildren ? "+" : ""));
  EXPECT_EQ(shown, (Names{"aardvark", "Alpha+", "b2", "B2+"}));
  EXPECT_EQ(level[1].Key, R"(NDS:\\T\Alpha)");
  EXPECT_EQ(level[1].Tag, level[1].Key);
  EXPECT_EQ(level[1].Image, "Organizational Unit");
  EXPECT_NE(PlaceholderKey(level[1].Key).rfind(R"(NDS:\\)", 0), 0u) << "could be a real key";
}

// One row per value, in picker order then value order; an empty value keeps its row, an
// attribute the object lacks has none. Workstations have their picker, other classes the users'.
TEST(AttributeRows, OneRowPerValueOfTheFieldsCheckedInTheClassesPicker) {
  auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  struct Case {
    const char* name;
    int picker, error;
    std::string rows;
  };
  const Case cases[] = {
      {R"(SALES\JSMITH)", kUserPicker, kDirOk,
       "Surname=Smith;Telephone Number=+1 555 0101;Telephone Number=+1 555 0102;"
       "Telephone Number=+1 555 0199;Network Address=IPX 00001001:0060B0100101:4003;"},
      {R"(SALES\AWHITE)", kUserPicker, kDirOk,
       "Surname=White;Telephone Number=+1 555 0105;Network Address=;"},
      {R"(SALES\KBROWN)", kUserPicker, kDirOk, "Surname=Brown;Telephone Number=+1 555 0106;"},
      {R"(SALES\WS01)", kWorkstationPicker, kDirOk, "Description=Sales desk 1;"},
      {"SALES", kUserPicker, kDirOk, ""},
      {R"(SALES\NOBODY)", kUserPicker, kDirNoSuchObject, ""},
  };
  for (const Case& c : cases) {
    const auto listing =
        ListAttributes(*control, R"(NDS:\\CORP\ACME\)" + std::string(c.name),
                       {{{"Surname", "Telephone Number", "Network Address"}, {"Description"}}});
    std::string rows;
    for (const auto& r : listing.rows) rows += r.Name + "=" + r.Value + ";";
    EXPECT_EQ(std::tuple(listing.picker, listing.error, rows),
              std::tuple(c.picker, c.error, c.rows))
        << c.name;
  }
}

}  // namespace
}  // namespace cvx
