#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

const std::string kNet = R"(NDS:\\NET\NET)";

// A value that cannot be read as an address shows its bytes in hex, never a made-up address.
void ExpectHexOf(const std::string& shown, const std::string& hex) {
  EXPECT_TRUE(shown.size() >= hex.size() &&
              shown.compare(shown.size() - hex.size(), hex.size(), hex) == 0)
      << shown << " does not end in " << hex;
  for (const auto* kind : {"IPX", "TCP", "UDP"}) EXPECT_NE(shown.rfind(kind, 0), 0u) << shown;
}

}  // namespace

TEST_P(DirAddress, StoredAddressesRenderAsText) {
  auto control = Control("addresses");
  ASSERT_TRUE(control);
  auto ws = Find(*control, kNet + R"(\WS-ADDR)");
  ASSERT_TRUE(ws);
  auto shown = ws->GetFieldValue("WM:Network Address");
  ASSERT_TRUE(shown) << shown.message();
  ASSERT_EQ(shown->size(), 7u) << ::testing::PrintToString(*shown);
  EXPECT_EQ((*shown)[0], "IPX 010AFF2C:001B213C4D5E:4006");
  EXPECT_EQ((*shown)[1], "TCP 10.0.0.21");      // TCP: the port is dropped
  EXPECT_EQ((*shown)[2], "UDP 192.168.7.200");  // UDP: bytes above 127 stay unsigned
  EXPECT_EQ((*shown)[3], "TCP 172.16.0.9");     // IP
  EXPECT_EQ((*shown)[4], "13 DEADBEEF");        // a type without a text form
  ExpectHexOf((*shown)[5], "010203");           // TCP, too short
  ExpectHexOf((*shown)[6], "7A7A");             // no type tag
}

TEST_P(DirAddress, LoginAddressesReadLikeWorkstationAddresses) {
  auto control = Control("addresses");
  ASSERT_TRUE(control);
  auto user = Find(*control, kNet + R"(\ASMITH)");
  ASSERT_TRUE(user);
  auto logins = user->GetFieldValue("network address");
  ASSERT_TRUE(logins) << logins.message();
  EXPECT_EQ(*logins, (Names{"TCP 10.0.0.21", "IPX 00000077:08002BAABBCC:4003"}));

  // A user who is not logged in: one empty value.
  auto idle = Find(*control, kNet + R"(\IDLE)");
  ASSERT_TRUE(idle);
  auto none = idle->GetFieldValue("Network Address");
  ASSERT_TRUE(none) << none.message();
  EXPECT_EQ(*none, (Names{""}));

  // Only address fields are rendered; a field the object lacks reads as no values.
  auto ws = Find(*control, kNet + R"(\WS-ADDR)");
  ASSERT_TRUE(ws);
  auto description = ws->GetFieldValue("Description");
  ASSERT_TRUE(description) << description.message();
  EXPECT_EQ(*description, (Names{"9#not an address"}));
  auto lacking = ws->GetFieldValue("Network Address");
  ASSERT_TRUE(lacking) << lacking.message();
  EXPECT_TRUE(lacking->empty());
}

}  // namespace cvx::test
