#include "directory/AttributeRows.h"

#include <gtest/gtest.h>

#include "directory/DirectoryClient.h"

namespace cvx {
namespace {

class AttributeRows : public ::testing::Test {
 protected:
  void SetUp() override {
    auto client = OpenDirectoryClient(CVX_DEMO_DIR, "CORP");
    ASSERT_TRUE(client) << client.message();
    client_ = client.value();
    control_ = client_->CreateControl();
  }
  AttributeListing List(const std::string& name) {
    return ListAttributes(*control_, name, {{{"Description", "Title"}, {"Description"}}});
  }

  DirectoryClientPtr client_;
  std::unique_ptr<DirectoryControl> control_;
};

TEST_F(AttributeRows, EachClassReadsThePickerMeantForIt) {
  const auto user = List(R"(NDS:\\CORP\ACME\SALES\AWHITE)");
  EXPECT_EQ(user.picker, kUserPicker);
  ASSERT_EQ(user.rows.size(), 2u);
  EXPECT_EQ(user.rows[0].Name, "Description");
  EXPECT_EQ(user.rows[1].Value, "Sales Assistant");

  const auto workstation = List(R"(NDS:\\CORP\ACME\SALES\WS01)");
  EXPECT_EQ(workstation.picker, kWorkstationPicker);
  ASSERT_EQ(workstation.rows.size(), 1u);
  EXPECT_EQ(workstation.rows[0].Value, "Sales desk 1");

  // Any other class uses the user picker.
  EXPECT_EQ(List(R"(NDS:\\CORP\ACME\SALES)").picker, kUserPicker);
}

TEST_F(AttributeRows, AnObjectNotThereGivesItsErrorAndNoRows) {
  const auto gone = List(R"(NDS:\\CORP\ACME\SALES\NOBODY)");
  EXPECT_EQ(gone.error, kDirNoSuchObject);
  EXPECT_TRUE(gone.rows.empty());
}

}  // namespace
}  // namespace cvx
