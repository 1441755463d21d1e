#pragma once

#include <QString>
#include <string_view>

namespace cvx {

// The subsystems speak UTF-8 std::string; the controls QString.
inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace cvx
