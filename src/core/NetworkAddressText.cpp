#include "core/NetworkAddressText.h"

#include <charconv>

namespace cvx {

namespace {

void AppendHex(std::string& out, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
}

void AppendDottedQuad(std::string& out, std::string_view four) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (i) out += '.';
    char digits[3];
    const auto end = std::to_chars(digits, digits + 3, static_cast<unsigned char>(four[i])).ptr;
    out.append(digits, end);
  }
}

}  // namespace

std::string HexBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  AppendHex(out, bytes);
  return out;
}

std::string RenderNetworkAddress(std::string_view raw) {
  std::string out;
  AppendNetworkAddress(out, raw);
  return out;
}

void AppendNetworkAddress(std::string& out, std::string_view raw) {
  if (raw.empty()) return;
  const auto hash = raw.find('#');
  unsigned type = 0;
  const char* typeEnd = raw.data() + (hash == std::string_view::npos ? 0 : hash);
  const auto [ptr, ec] = std::from_chars(raw.data(), typeEnd, type);
  if (hash == std::string_view::npos || hash == 0 || ec != std::errc() || ptr != typeEnd) {
    return AppendHex(out, raw);
  }
  const std::string_view bytes = raw.substr(hash + 1);
  switch (type) {
    case 0:
      if (bytes.size() >= 12) {
        out += "IPX ";
        AppendHex(out, bytes.substr(0, 4));
        out += ':';
        AppendHex(out, bytes.substr(4, 6));
        out += ':';
        AppendHex(out, bytes.substr(10, 2));
        return;
      }
      break;
    case 1:
      if (bytes.size() >= 4) {
        out += "TCP ";
        return AppendDottedQuad(out, bytes.substr(0, 4));
      }
      break;
    case 8:
    case 9:
      if (bytes.size() >= 6) {
        out += type == 8 ? "UDP " : "TCP ";
        return AppendDottedQuad(out, bytes.substr(2, 4));
      }
      break;
    default:
      break;
  }
  out += std::to_string(type);
  out += ' ';
  AppendHex(out, bytes);
}

}  // namespace cvx
