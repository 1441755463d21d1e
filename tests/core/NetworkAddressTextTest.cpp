#include "core/NetworkAddressText.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

std::string Tagged(const std::string& type, std::initializer_list<unsigned char> bytes) {
  std::string raw = type + "#";
  for (auto b : bytes) raw += static_cast<char>(b);
  return raw;
}

TEST(RenderNetworkAddress, KnownTypes) {
  EXPECT_EQ(RenderNetworkAddress(Tagged(
                "0", {0x00, 0x00, 0xAB, 0xCD, 0x00, 0xA0, 0xC9, 0x12, 0x34, 0x56, 0x40, 0x05})),
            "IPX 0000ABCD:00A0C9123456:4005");
  EXPECT_EQ(RenderNetworkAddress(Tagged("1", {10, 1, 2, 3})), "TCP 10.1.2.3");
  EXPECT_EQ(RenderNetworkAddress(Tagged("9", {0x01, 0xBB, 192, 168, 0, 255})), "TCP 192.168.0.255");
  EXPECT_EQ(RenderNetworkAddress(Tagged("8", {0x00, 0x35, 10, 0, 0, 1})), "UDP 10.0.0.1");
  EXPECT_EQ(RenderNetworkAddress(Tagged("13", {0xDE, 0xAD})), "13 DEAD");
}

TEST(RenderNetworkAddress, MalformedValuesBecomeHexWithoutOverrun) {
  EXPECT_EQ(RenderNetworkAddress(""), "");
  EXPECT_EQ(RenderNetworkAddress(Tagged("0", {1, 2, 3})), "0 010203");
  EXPECT_EQ(RenderNetworkAddress(Tagged("1", {10, 1})), "1 0A01");
  EXPECT_EQ(RenderNetworkAddress(Tagged("9", {0, 80, 10, 1, 2})), "9 00500A0102");
  EXPECT_EQ(RenderNetworkAddress("0#"), "0 ");
  EXPECT_EQ(RenderNetworkAddress("#12"), HexBytes("#12"));
  EXPECT_EQ(RenderNetworkAddress("x1#12"), HexBytes("x1#12"));
  EXPECT_EQ(RenderNetworkAddress("no tag"), HexBytes("no tag"));
  EXPECT_EQ(RenderNetworkAddress("99999999999999999999#1"), HexBytes("99999999999999999999#1"));
}

}  // namespace
}  // namespace cvx
