#include "core/TreeExpansionPath.h"

#include "core/FullName.h"

namespace cvx {

TreeExpansionPlan PlanTreeExpansion(std::string_view path) {
  TreeExpansionPlan plan;
  if (path.empty()) return plan;
  const std::string prefix(kFullNamePrefix);
  std::string rest(path.size() > prefix.size() ? path.substr(prefix.size()) : std::string_view());
  if (rest.find('\\') == std::string::npos) {
    plan.keys.emplace_back(path);
    plan.openLast = false;
    return plan;
  }
  // Each level's name is cut off at the next backslash that is not the one leading the rest.
  std::string levels;
  for (std::size_t cut = rest.find('\\', 1); cut != std::string::npos; cut = rest.find('\\', 1)) {
    levels += rest.substr(0, cut);
    rest.erase(0, cut);
    plan.keys.push_back(prefix + levels);
  }
  plan.keys.push_back(prefix + levels + rest);
  return plan;
}

std::string MarkedNodeParentPath(std::string_view fullName) {
  const std::size_t last = fullName.rfind('\\');
  if (last == std::string_view::npos || last < kFullNamePrefix.size()) {
    return std::string(fullName);
  }
  return std::string(fullName.substr(0, last));
}

}  // namespace cvx
