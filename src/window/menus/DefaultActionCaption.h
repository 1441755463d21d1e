#pragma once

#include <QString>

class QPushButton;

namespace cvx {

struct ActionChoice;
struct OwnAction;

// Gives the action button cmdRC the caption of the default action in force: a catalogue action's
// button caption or an own action's caption. Any other code leaves the caption as it is.
void ShowDefaultActionCaption(QPushButton& cmdRC, const ActionChoice& actions);

// An own action's caption as a button or menu entry shows it: an "&" stays an "&" instead of
// marking the entry's key.
QString OwnActionText(const OwnAction& action);

}  // namespace cvx
