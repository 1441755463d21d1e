#pragma once

#include <string>

namespace cvx {

// Small icons of results entries, keys into the window's image list.
inline constexpr const char* kIconUser = "User";
inline constexpr const char* kIconWorkstation = "Workstation";

// One entry of the search results list: an object to act on (key: its full name, text: its
// dotted name) or a note (no key).
struct ResultEntry {
  std::string key;
  std::string text;
  std::string icon;

  bool operator==(const ResultEntry&) const = default;
};

}  // namespace cvx
