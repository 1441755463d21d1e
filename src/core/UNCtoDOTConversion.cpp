#include "core/UNCtoDOTConversion.h"

#include "core/TextUtil.h"

namespace cvx {

FullNameParts SplitFullName(std::string_view fullName) {
  FullNameParts parts;
  const auto p = fullName.find("\\\\");
  std::string_view rest = p == std::string_view::npos ? fullName : fullName.substr(p + 2);

  // The established walk measured each level with blanks trimmed but cut the untrimmed text, so a
  // level ending in a blank shifted every later cut. Cutting at the backslash itself keeps each
  // level whole.
  for (rest = TrimBlanks(rest);; rest = TrimBlanks(rest)) {
    const auto cut = rest.rfind('\\');
    if (cut == std::string_view::npos) break;
    parts.componentsBottomUp.emplace_back(TrimBlanks(rest.substr(cut + 1)));
    rest = rest.substr(0, cut);
  }
  parts.tree = std::string(rest);
  return parts;
}

std::string JoinDotted(const std::vector<std::string>& componentsBottomUp) {
  std::string joined;
  for (std::size_t i = 0; i < componentsBottomUp.size(); ++i) {
    if (i > 0) joined += '.';
    joined += componentsBottomUp[i];
  }
  return joined;
}

std::string UNCtoDOTConversion(std::string& name) {
  const FullNameParts parts = SplitFullName(name);
  name = parts.componentsBottomUp.empty() ? parts.tree : JoinDotted(parts.componentsBottomUp);
  return name;
}

std::string DottedName(std::string name) {
  return UNCtoDOTConversion(name);
}

}  // namespace cvx
