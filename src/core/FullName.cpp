#include "core/FullName.h"

#include "core/TextUtil.h"

namespace cvx {

std::string TreePartOfFullName(std::string_view fullName) {
  if (fullName.size() >= kFullNamePrefix.size() &&
      EqualsNoCase(fullName.substr(0, kFullNamePrefix.size()), kFullNamePrefix)) {
    fullName.remove_prefix(kFullNamePrefix.size());
  }
  return std::string(fullName.substr(0, fullName.find('\\')));
}

std::string JoinFullName(std::string_view tree, std::string_view path) {
  std::string out(kFullNamePrefix);
  out += tree;
  if (!path.empty()) {
    out += '\\';
    out += path;
  }
  return out;
}

}  // namespace cvx
