#pragma once

#include <QString>

namespace cvx {

class frmMain;
struct OwnAction;

// Gives the action button cmdRC the caption of the default action in force (DefaultAction): a
// catalogue action's button caption or an own action's caption. Any other code leaves the
// caption as it is.
void ShowDefaultActionCaption(frmMain& w);

// An own action's caption as a button or menu entry shows it: an "&" stays an "&" instead of
// marking the entry's key.
QString OwnActionText(const OwnAction& action);

}  // namespace cvx
