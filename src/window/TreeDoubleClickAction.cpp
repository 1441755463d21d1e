#include "window/TreeDoubleClickAction.h"

namespace cvx {

// The action arrives with the action menus; until then a double click or Enter only picks.
void RunTreeDoubleClickAction(frmMain&) {}

}  // namespace cvx
