#pragma once

namespace cvx {

struct MainWindowControls;

// Shows or hides the controls of the actions beyond Remote Control: their menu entries, the
// default-action menu button and the inventory server.
void ApplyExtendedActions(MainWindowControls& ui, bool available);

}  // namespace cvx
