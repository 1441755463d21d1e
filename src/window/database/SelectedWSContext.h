#pragma once

#include <string>

namespace cvx {

struct MainWindowControls;

// The full name (the node's tag) of the container selected in the workstation browser
// TreeViewWS; empty when no node is selected.
std::string SelectedWSContext(const MainWindowControls& ui);

}  // namespace cvx
