#include "window/DefaultActionCaption.h"

namespace cvx {

// The captions come from the action catalogue, which arrives with its own change; until then the
// button keeps the caption it has.
void ShowDefaultActionCaption(frmMain&) {}

}  // namespace cvx
