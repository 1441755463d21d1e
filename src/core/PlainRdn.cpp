#include "core/PlainRdn.h"

namespace cvx {

bool PlainRdnValue(std::string_view rdn, std::string_view& value) {
  auto isAlnum = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  };
  const auto eq = rdn.find('=');
  if (eq == std::string_view::npos || eq == 0 || eq + 1 == rdn.size()) return false;
  const char first = rdn[0];
  if (!((first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z'))) return false;
  for (char c : rdn.substr(0, eq)) {
    if (!isAlnum(c) && c != '-') return false;
  }
  value = rdn.substr(eq + 1);
  for (char c : value) {
    if (!isAlnum(c) && c != '-' && c != '_' && c != '.' && c != ' ') return false;
  }
  return value.front() != ' ' && value.back() != ' ';
}

}  // namespace cvx
