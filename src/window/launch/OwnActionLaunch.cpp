#include "window/launch/OwnActionLaunch.h"

#include <QApplication>

#include "actions/LaunchStep.h"
#include "target/OwnActionForming.h"
#include "window/search/HistoryBox.h"
#include "window/controls/StatusPanels.h"
#include "window/frmMain.h"

namespace cvx {

bool LaunchOwnAction(frmMain& w, const OwnAction& action, const std::string& workstationFullName,
                     const LoginOrigin& login) {
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  const OwnActionCommand command =
      FormOwnAction(action, *w.dir().NWDirWSAddress, workstationFullName, login);
  QApplication::restoreOverrideCursor();
  if (command.statusText) {
    SetStatusPanelText(ui, 2, QString::fromStdString(*command.statusText));
    return false;
  }
  AddHistory(w, s.TargetName, s.TargetName, s.TargetClass);
  const LaunchReaction reaction = LaunchArgumentsStep(w.launcher(), command.arguments);
  SetStatusPanelText(ui, 2, QString::fromStdString(reaction.statusText.value_or(std::string())));
  return !reaction.statusText;
}

}  // namespace cvx
