#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace cvx {

// The object classes the window has a picture for. A history or result entry of any other class
// cannot be shown, so it is not taken.
inline constexpr std::array<std::string_view, 7> kClassImageKeys = {
    "Top", "Alias", "Country", "Organization", "Organizational Unit", "User", "Workstation"};

inline bool HasClassImage(std::string_view className) {
  return std::find(kClassImageKeys.begin(), kClassImageKeys.end(), className) !=
         kClassImageKeys.end();
}

// The classes that hold other objects in the browser: picking one of them makes it the search
// context; it is never a target.
inline bool IsContainerClass(std::string_view className) {
  return className == "Country" || className == "Organizational Unit" ||
         className == "Organization" || className == "Top";
}

}  // namespace cvx
