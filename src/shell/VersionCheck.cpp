#include "shell/VersionCheck.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "window/frmMain.h"

namespace cvx {

void CheckExtendedActions(frmMain& w) {
  MainState& s = w.state();
  int error = kDirClientMissing;
  if (DirectoryClient* client = w.client()) {
    const std::unique_ptr<DirectoryControl> probe = client->CreateControl();
    const auto types = probe->FieldTypes();
    error = types ? types->Item("DM:ZEN File Transfer").error() : types.error();
  }
  s.ExtendedActionsAvailable = error != kDirNoFieldType;
  ApplyExtendedActions(w);
}

void ApplyExtendedActions(frmMain& w) {
  MainState& s = w.state();
  const bool on = s.ExtendedActionsAvailable;
  const ActionMenus& m = w.ui().menus;
  for (QAction* a : {m.mnuRV, m.mnuRe, m.mnuFT, m.mnuCH, m.mnuRD, m.mnuRI, m.mnuRP}) {
    a->setVisible(on);
    a->setEnabled(on);
  }
  w.ui().Command1->setVisible(on);
  w.ui().lblInvServer->setVisible(on);
  w.ui().txtInvServer->setVisible(on);
  if (!on) s.DefaultAction = "RC";
}

}  // namespace cvx
