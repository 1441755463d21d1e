#include "core/AddressKey.h"

#include <gtest/gtest.h>

#include "core/NetworkAddressText.h"

namespace cvx {
namespace {

TEST(AddressKey, TaggedAddressesAsTheDirectoryRendersThem) {
  // IPX: the node between network and socket.
  EXPECT_EQ(DecodeAddressKey("IPX 00001001:00A0C9100101:4003"), "00A0C9100101");
  EXPECT_EQ(DecodeAddressKey("IPX 0000000A:000000000001:4007"), kIgnoredAddressKey);
  // TCP and UDP: the address after the tag; the directory leaves the port out.
  EXPECT_EQ(DecodeAddressKey("TCP 10.1.1.105"), "10.1.1.105");
  EXPECT_EQ(DecodeAddressKey("UDP 192.168.7.200"), "192.168.7.200");

  // The same texts straight from the renderer, so the two never drift apart.
  const std::string ipx =
      RenderNetworkAddress(std::string("0#\x00\x00\x10\x01\x00\x60\xB0\x0F\x3C\x21\x40\x03", 14));
  EXPECT_EQ(DecodeAddressKey(ipx), "0060B00F3C21");
  const std::string tcp = RenderNetworkAddress(std::string("9#\x02\x0C\x0A\x01\x02\x03", 8));
  EXPECT_EQ(DecodeAddressKey(tcp), "10.1.2.3");
}

TEST(AddressKey, StepsAreTakenLiterally) {
  // The tag is read once blanks around the value are gone; the steps then run on the value as
  // it is: a leading blank is the first blank, and the first colon still comes after the tag.
  EXPECT_EQ(DecodeAddressKey(" IPX 00001001:00A0C9100101:4003"), "00A0C9100101");
  EXPECT_EQ(DecodeAddressKey(" TCP 10.1.2.3"), "TCP 10.1.2.3");
  EXPECT_EQ(DecodeAddressKey("IPX 00001001"), "00001001");  // no colon: step 2 keeps it
  EXPECT_EQ(DecodeAddressKey("IPX 00001001:00A0C9100101"), "00A0C9100101");
  EXPECT_EQ(DecodeAddressKey("TCP 10.1.2.3:524"), "10.1.2.3:524");  // TCP: nothing removed
  EXPECT_EQ(DecodeAddressKey("TCP10.1.2.3"), "TCP10.1.2.3");        // no blank: the whole value
}

TEST(AddressKey, OtherTagsHaveNoKey) {
  for (const char* address :
       {"13 DEADBEEF", "7A7A", "ipx 00001001:00A0C9100101:4003", "IP 10.1.2.3", "", "   "}) {
    EXPECT_FALSE(DecodeAddressKey(address)) << address;
  }
}

TEST(AddressKey, IpxStepsWithoutTagAcceptAnyValue) {
  EXPECT_EQ(IpxAddressKey("IPX 00001001:00A0C9100101:4003"), "00A0C9100101");
  EXPECT_EQ(IpxAddressKey("TCP 10.1.1.105"), "10.1.1.105");
  EXPECT_EQ(IpxAddressKey("13 DEADBEEF"), "DEADBEEF");
  EXPECT_EQ(IpxAddressKey("nothing"), "nothing");
  EXPECT_EQ(IpxAddressKey(""), "");
}

}  // namespace
}  // namespace cvx
