#include "window/menus/ExtendedActionControls.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "window/controls/MainWindowControls.h"

namespace cvx {

void ApplyExtendedActions(MainWindowControls& ui, bool available) {
  const ActionMenus& m = ui.menus;
  for (QAction* a : {m.mnuRV, m.mnuRe, m.mnuFT, m.mnuCH, m.mnuRD, m.mnuRI, m.mnuRP}) {
    a->setVisible(available);
    a->setEnabled(available);
  }
  ui.Command1->setVisible(available);
  ui.lblInvServer->setVisible(available);
  ui.txtInvServer->setVisible(available);
}

}  // namespace cvx
