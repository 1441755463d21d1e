#include "target/TargetSearchPlan.h"

namespace cvx {

TargetSearchRequest PlanTargetSearch(const std::string& typed, const TargetSearchSettings& s) {
  TargetSearchRequest r;
  r.filter = typed + "*";
  r.classes = s.aliases ? "User, Alias, Workstation" : "User, Workstation";
  r.scope = s.containerOnly ? kScopeContainerOnly : kScopeSubtree;
  r.context = s.currentContext.empty() ? s.controlContext : s.currentContext;
  return r;
}

std::string TargetSearchFailureText(const DirError& error, bool anchorActive,
                                    const std::string& anchor) {
  if (error.number == kDirNoSuchObject && anchorActive) {
    return "The search anchor " + anchor + " does not exist any more!";
  }
  if (error.number == kDirNoSuchObject) return "The search context does not exist any more!";
  return "Search failed: " + error.message;
}

std::optional<std::string> OneHitLookupFailureText(int error, const std::string& message) {
  if (error == kDirNoSuchObject) return "User/workstation object not found!";
  if (error == kDirLost) return std::nullopt;
  return "Directory lookup failed: " + message;
}

OneHitStep OneHitStepFor(const std::string& className) {
  return className == "Workstation" ? OneHitStep::kLaunch : OneHitStep::kListLogins;
}

}  // namespace cvx
