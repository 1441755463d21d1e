// Network address values as a directory holds them (tagged data): the input is one value. Its
// text and the address key a login lookup takes from that text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/AddressKey.h"
#include "core/NetworkAddressText.h"

namespace {

bool IsPrintableAscii(std::string_view text) {
  for (char c : text) {
    if (c < 0x20 || c > 0x7e) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::string text = cvx::RenderNetworkAddress(raw);
  // The text goes into list rows and database records, so it is plain ASCII whatever the bytes.
  CVX_FUZZ_CHECK(text.empty() == raw.empty());
  CVX_FUZZ_CHECK(IsPrintableAscii(text));
  CVX_FUZZ_CHECK(text.size() <= 2 * raw.size() + 16);

  if (const auto key = cvx::DecodeAddressKey(text)) CVX_FUZZ_CHECK(IsPrintableAscii(*key));
  // Login addresses that were never rendered reach the key functions too.
  (void)cvx::DecodeAddressKey(raw);
  (void)cvx::IpxAddressKey(raw);
  return 0;
}
