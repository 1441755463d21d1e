#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

const std::string kNet = R"(NDS:\\NET\NET)";

}  // namespace

// Every backend hands the stored bytes to one renderer: the kinds it knows as text, anything
// else (a TCP value too short, a value without a type tag) as hex, never a made-up address.
TEST_P(DirAddress, StoredAddressesRenderAsText) {
  auto control = Control("addresses");
  ASSERT_TRUE(control);
  const Names shown = Values(*control, kNet + R"(\WS-ADDR)", "WM:Network Address");
  ASSERT_EQ(shown.size(), 7u) << ::testing::PrintToString(shown);
  EXPECT_EQ(Names(shown.begin(), shown.begin() + 5),
            (Names{"IPX 010AFF2C:001B213C4D5E:4006", "TCP 10.0.0.21", "UDP 192.168.7.200",
                   "TCP 172.16.0.9", "13 DEADBEEF"}));
  for (const auto& [value, hex] : {std::pair{shown[5], "010203"}, std::pair{shown[6], "7A7A"}}) {
    EXPECT_TRUE(value.ends_with(hex)) << value;
    for (const auto* kind : {"IPX", "TCP", "UDP"}) EXPECT_FALSE(value.starts_with(kind)) << value;
  }
}

// Login addresses read like workstation addresses; one not logged in has one empty value; only
// address fields are rendered; a field the object lacks reads as no values.
TEST_P(DirAddress, LoginAddressesReadLikeWorkstationAddresses) {
  auto control = Control("addresses");
  ASSERT_TRUE(control);
  EXPECT_EQ(Values(*control, kNet + R"(\ASMITH)", "network address"),
            (Names{"TCP 10.0.0.21", "IPX 00000077:08002BAABBCC:4003"}));
  EXPECT_EQ(Values(*control, kNet + R"(\IDLE)", "Network Address"), (Names{""}));
  EXPECT_EQ(Values(*control, kNet + R"(\WS-ADDR)", "Description"), (Names{"9#not an address"}));
  EXPECT_EQ(Values(*control, kNet + R"(\WS-ADDR)", "Network Address"), Names{});
}

}  // namespace cvx::test
