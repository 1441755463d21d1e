#include "window/menus/DefaultActionCaption.h"

#include <QPushButton>

#include "core/ActionCatalogue.h"
#include "core/OwnAction.h"
#include "window/MainState.h"
#include "window/controls/QtText.h"

namespace cvx {

void ShowDefaultActionCaption(QPushButton& cmdRC, const ActionChoice& actions) {
  if (const RemoteAction* a = FindAction(actions.DefaultAction)) {
    cmdRC.setText(Q(a->buttonCaption));
  } else if (const OwnAction* own = FindOwnAction(actions.OwnActions, actions.DefaultAction)) {
    cmdRC.setText(OwnActionText(*own));
  }
}

QString OwnActionText(const OwnAction& action) {
  return QString::fromStdString(action.caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace cvx
