#include "core/NetworkAddressText.h"

#include <charconv>

namespace cvx {

std::string HexBytes(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

namespace {

std::string DottedQuad(std::string_view four) {
  std::string out;
  for (std::size_t i = 0; i < 4; ++i) {
    if (i) out += '.';
    out += std::to_string(static_cast<unsigned char>(four[i]));
  }
  return out;
}

}  // namespace

std::string RenderNetworkAddress(std::string_view raw) {
  if (raw.empty()) return {};
  const auto hash = raw.find('#');
  unsigned type = 0;
  const char* typeEnd = raw.data() + (hash == std::string_view::npos ? 0 : hash);
  const auto [ptr, ec] = std::from_chars(raw.data(), typeEnd, type);
  if (hash == std::string_view::npos || hash == 0 || ec != std::errc() || ptr != typeEnd) {
    return HexBytes(raw);
  }
  const std::string_view bytes = raw.substr(hash + 1);
  switch (type) {
    case 0:
      if (bytes.size() >= 12) {
        return "IPX " + HexBytes(bytes.substr(0, 4)) + ":" + HexBytes(bytes.substr(4, 6)) + ":" +
               HexBytes(bytes.substr(10, 2));
      }
      break;
    case 1:
      if (bytes.size() >= 4) return "TCP " + DottedQuad(bytes.substr(0, 4));
      break;
    case 8:
    case 9:
      if (bytes.size() >= 6) return (type == 8 ? "UDP " : "TCP ") + DottedQuad(bytes.substr(2, 4));
      break;
    default:
      break;
  }
  return std::to_string(type) + " " + HexBytes(bytes);
}

}  // namespace cvx
