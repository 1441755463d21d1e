#include "settings/SettingsNumbers.h"

#include <charconv>
#include <cmath>

#include "core/TextUtil.h"

namespace cvx {

std::optional<float> ParseSingle(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  float value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string FormatSingle(float value) {
  // Floats of this size are whole anyway; below it a whole value prints without exponent.
  constexpr float kPlainLimit = 1e9f;
  if (std::trunc(value) == value && std::fabs(value) < kPlainLimit) {
    return std::to_string(static_cast<long long>(value));
  }
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::optional<int> ParseOptionIndex(std::string_view text, int count) {
  const auto number = ParseSingle(text);
  if (!number || std::trunc(*number) != *number || *number < 0 || *number >= count) {
    return std::nullopt;
  }
  return static_cast<int>(*number);
}

}  // namespace cvx
