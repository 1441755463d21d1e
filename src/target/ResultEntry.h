#pragma once

#include <string>

#include "target/LoginOrigin.h"

namespace cvx {

// Small icons of results entries, keys into the window's image list.
inline constexpr const char* kIconUser = "User";
inline constexpr const char* kIconWorkstation = "Workstation";

// One entry of the search results list: an object to act on (key: its full name, text: its
// dotted name) or a note (no key). A workstation listed for a user's login keeps that login, so
// an action chosen on it later still knows the user and the address it was reached at.
struct ResultEntry {
  std::string key;
  std::string text;
  std::string icon;
  LoginOrigin login{};

  // The same entry of the list: what it shows and the object it stands for. The login is
  // where it came from, not part of what it is.
  bool operator==(const ResultEntry& other) const {
    return key == other.key && text == other.text && icon == other.icon;
  }
};

}  // namespace cvx
