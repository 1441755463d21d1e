#include "window/DefaultActionCaption.h"

#include <QPushButton>

#include "core/ActionCatalogue.h"
#include "window/frmMain.h"

namespace cvx {

void ShowDefaultActionCaption(frmMain& w) {
  if (const RemoteAction* a = FindAction(w.state().DefaultAction)) {
    w.ui().cmdRC->setText(
        QString::fromUtf8(a->buttonCaption.data(), static_cast<int>(a->buttonCaption.size())));
  }
}

}  // namespace cvx
