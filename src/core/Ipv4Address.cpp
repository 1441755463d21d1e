#include "core/Ipv4Address.h"

#include <charconv>

#include "core/TextUtil.h"

namespace cvx {

namespace {

bool IsDottedQuad(std::string_view s) {
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (s.empty() || s.front() != '.') return false;
      s.remove_prefix(1);
    }
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    const auto digits = static_cast<std::size_t>(end - s.data());
    if (ec != std::errc() || digits == 0 || digits > 3 || value > 255) return false;
    s.remove_prefix(digits);
  }
  return s.empty();
}

}  // namespace

std::optional<std::string> Ipv4OfAddress(std::string_view rendered) {
  const std::string_view text = TrimBlanks(rendered);
  if (!text.starts_with("TCP ") && !text.starts_with("UDP ")) return std::nullopt;
  const std::string_view address = TrimBlanks(text.substr(4));
  if (!IsDottedQuad(address)) return std::nullopt;
  return std::string(address);
}

}  // namespace cvx
