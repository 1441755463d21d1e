#pragma once

namespace cvx {

class frmMain;

// Start-up step: reads the administrator's own actions from the window's actions file into
// OwnActions and adds their menu entries. Each problem of the file goes to stderr, and all of
// them together in one message box, so a typing error is noticed once without holding up the
// start more than once; the actions that are fine are there either way.
void LoadOwnActions(frmMain& w);

}  // namespace cvx
