#pragma once

#include <optional>
#include <string>

#include "directory/DirectoryControl.h"

namespace cvx {

// The target search the action button starts for a typed name, from the Searching settings.
struct TargetSearchRequest {
  std::string filter;   // the typed text with "*" appended
  std::string classes;  // comma-separated class names
  int scope = kScopeSubtree;
  std::string context;  // where the search starts
};

struct TargetSearchSettings {
  bool aliases = false;        // "Search for aliases" checked
  bool containerOnly = false;  // "Only this container" chosen, not the subtree
  std::string currentContext;  // the browser's context, or the anchor; empty: none yet
  std::string controlContext;  // the search control's own context, used without either
};

TargetSearchRequest PlanTargetSearch(const std::string& typed, const TargetSearchSettings& s);

// Panel 2's text for a search that failed; anchorActive: the search started from the anchor.
std::string TargetSearchFailureText(const DirError& error, bool anchorActive,
                                    const std::string& anchor);

// Panel 2's text when the one hit of a search cannot be looked up; nothing for a lost directory,
// which its own handling reports.
std::optional<std::string> OneHitLookupFailureText(int error, const std::string& message);

// What the one hit of a search leads to: a workstation is acted on at once, a user's logins are
// listed for the administrator to choose from.
enum class OneHitStep { kLaunch, kListLogins };
OneHitStep OneHitStepFor(const std::string& className);

}  // namespace cvx
