#include "directory/AttributeRows.h"

#include <gtest/gtest.h>

#include "directory/DirectoryClient.h"

namespace cvx {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class AttributeRows : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = client.value();
    control_ = client_->CreateControl();
  }
  // Users: Surname, Telephone Number, Network Address; workstations: Description.
  Rows List(const std::string& name, int picker, int error = kDirOk) {
    const auto listing =
        ListAttributes(*control_, R"(NDS:\\CORP\ACME\)" + name,
                       {{{"Surname", "Telephone Number", "Network Address"}, {"Description"}}});
    EXPECT_EQ(listing.picker, picker) << name;
    EXPECT_EQ(listing.error, error) << name;
    Rows rows;
    for (const auto& r : listing.rows) rows.emplace_back(r.Name, r.Value);
    return rows;
  }

  DirectoryClientPtr client_;
  std::unique_ptr<DirectoryControl> control_;
};

TEST_F(AttributeRows, OneRowPerValueInPickerThenValueOrder) {
  EXPECT_EQ(List(R"(SALES\JSMITH)", kUserPicker),
            (Rows{{"Surname", "Smith"},
                  {"Telephone Number", "+1 555 0101"},
                  {"Telephone Number", "+1 555 0102"},
                  {"Telephone Number", "+1 555 0199"},
                  {"Network Address", "IPX 00001001:0060B0100101:4003"}}));
  // An empty value keeps its row; an attribute the object lacks has none.
  EXPECT_EQ(
      List(R"(SALES\AWHITE)", kUserPicker),
      (Rows{{"Surname", "White"}, {"Telephone Number", "+1 555 0105"}, {"Network Address", ""}}));
  EXPECT_EQ(List(R"(SALES\KBROWN)", kUserPicker),
            (Rows{{"Surname", "Brown"}, {"Telephone Number", "+1 555 0106"}}));
}

TEST_F(AttributeRows, WorkstationsHaveTheirPickerOtherClassesTheUsersOne) {
  EXPECT_EQ(List(R"(SALES\WS01)", kWorkstationPicker), (Rows{{"Description", "Sales desk 1"}}));
  EXPECT_EQ(List("SALES", kUserPicker), Rows{});
  EXPECT_EQ(List(R"(SALES\NOBODY)", kUserPicker, kDirNoSuchObject), Rows{});
}

}  // namespace
}  // namespace cvx
