#include "window/CheckLogin.h"

#include <QTreeWidget>

#include "core/UNCtoDOTConversion.h"
#include "target/CheckLogin.h"
#include "window/RemoteActionRun.h"
#include "window/StatusPanels.h"
#include "window/frmMain.h"

namespace cvx {

int checkLogin(frmMain& w, const std::string& fullName) {
  const MainState& s = w.state();
  const LoginOutcome outcome = checkLogin(fullName, *w.dir().NWDirWSAddress, s.DBPath, s.TreeName);
  MainWindowControls& ui = w.ui();
  ShowResultEntries(w, outcome.entries);
  if (outcome.databaseMessage) ShowDatabaseMessage(w, *outcome.databaseMessage);
  if (outcome.columnTitle) {
    ui.lstMultiple->headerItem()->setText(0, QString::fromStdString(*outcome.columnTitle));
  }
  if (outcome.statusText) SetStatusPanelText(ui, 2, QString::fromStdString(*outcome.statusText));
  // The caller goes on whatever the directory did; the administrator is told what is missing.
  if (outcome.lookupError != 0) {
    SetStatusPanelText(ui, 2,
                       QStringLiteral("The logins of %1 could not be read (error %2).")
                           .arg(QString::fromStdString(DottedName(fullName)))
                           .arg(outcome.lookupError));
  }
  return outcome.lookupError;
}

}  // namespace cvx
