#pragma once

#include <string>

namespace cvx {

class frmMain;

// Selects and opens the node with full name path in TreeViewRC, opening every level above it (a
// bare tree root is only selected). Where a level no longer exists, the deepest one that does is
// left selected and open. Returns the key of the node left selected; empty when not even the
// tree root was found, and the selection is then unchanged.
std::string treeExp(frmMain& w, const std::string& path);

}  // namespace cvx
