#include "core/AddressKey.h"

#include "core/TextUtil.h"

namespace cvx {

namespace {

// Everything after the first occurrence of c; the whole text when c does not occur.
std::string_view After(std::string_view s, char c) {
  const auto at = s.find(c);
  return at == std::string_view::npos ? s : s.substr(at + 1);
}

}  // namespace

std::string IpxAddressKey(std::string_view address) {
  std::string_view k = After(address, ' ');
  k = After(k, ':');
  return std::string(k.substr(0, k.find(':')));
}

std::optional<std::string> DecodeAddressKey(std::string_view address) {
  const std::string_view tag = TrimBlanks(address).substr(0, 3);
  if (tag == "IPX") return IpxAddressKey(address);
  // The directory renders IP addresses as "TCP" and "UDP" alike, both without the port, so a
  // UDP login finds the workstation's stored TCP address.
  if (tag == "TCP" || tag == "UDP") return std::string(After(address, ' '));
  return std::nullopt;
}

}  // namespace cvx
