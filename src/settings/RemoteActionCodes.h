#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace cvx {

// The codes a stored default action may hold. The action catalogue, with the captions, is kept
// by the remote actions; this list only checks stored text and goes once the catalogue is shared.
inline constexpr std::array<std::string_view, 8> kRemoteActionCodes = {"RC", "RV", "RE", "RF",
                                                                       "CH", "RD", "RI", "RP"};

inline bool IsRemoteActionCode(std::string_view code) {
  return std::find(kRemoteActionCodes.begin(), kRemoteActionCodes.end(), code) !=
         kRemoteActionCodes.end();
}

}  // namespace cvx
