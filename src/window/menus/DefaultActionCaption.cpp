#include "window/menus/DefaultActionCaption.h"

#include <QPushButton>

#include "core/ActionCatalogue.h"
#include "core/OwnAction.h"
#include "window/frmMain.h"

namespace cvx {

void ShowDefaultActionCaption(frmMain& w) {
  const MainState& s = w.state();
  if (const RemoteAction* a = FindAction(s.DefaultAction)) {
    w.ui().cmdRC->setText(
        QString::fromUtf8(a->buttonCaption.data(), static_cast<int>(a->buttonCaption.size())));
  } else if (const OwnAction* own = FindOwnAction(s.OwnActions, s.DefaultAction)) {
    w.ui().cmdRC->setText(OwnActionText(*own));
  }
}

QString OwnActionText(const OwnAction& action) {
  return QString::fromStdString(action.caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace cvx
