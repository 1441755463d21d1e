#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// The nodes the browser selects, one after the other, to open a full name: each level from the
// tree root down. The browser opens every one of them except a bare tree root, which it only
// selects.
struct TreeExpansionPlan {
  std::vector<std::string> keys;
  bool openLast = true;
};

// "NDS:\\CORP\ACME\SALES" gives NDS:\\CORP, NDS:\\CORP\ACME and NDS:\\CORP\ACME\SALES, all to be
// opened; "NDS:\\CORP" gives NDS:\\CORP, selected only; an empty path gives nothing. The first six
// characters are taken as the prefix whatever they hold, as full names always start with it.
TreeExpansionPlan PlanTreeExpansion(std::string_view path);

// The container to open so that a marked node becomes visible: everything before the last
// backslash. A tree root has no such parent (the cut would fall inside "NDS:\\"), so it is its own.
std::string MarkedNodeParentPath(std::string_view fullName);

}  // namespace cvx
