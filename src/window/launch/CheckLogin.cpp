#include "window/launch/CheckLogin.h"

#include <QTreeWidget>

#include "core/UNCtoDOTConversion.h"
#include "target/CheckLogin.h"
#include "window/launch/RemoteActionRun.h"
#include "window/search/ResultsList.h"
#include "window/controls/StatusPanels.h"
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
  if (outcome.statusText) AnnounceStatusText(ui, QString::fromStdString(*outcome.statusText));
  // The caller goes on whatever the directory did; the administrator is told what is missing.
  if (outcome.lookupError != 0) {
    AnnounceStatusText(ui, QStringLiteral("The logins of %1 could not be read (error %2).")
                               .arg(QString::fromStdString(DottedName(fullName)))
                               .arg(outcome.lookupError));
  }
  // A lone note ("User not logged in!") is the answer to the pick, though no status text says so.
  QTreeWidget& list = *ui.lstMultiple;
  if (list.topLevelItemCount() == 1 && ResultKey(list.topLevelItem(0)).empty()) {
    AnnounceResult(&list, 0);
  }
  return outcome.lookupError;
}

}  // namespace cvx
