#include "window/launch/RemoteActionRun.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "actions/LaunchStep.h"
#include "core/ActionCatalogue.h"
#include "core/BuildRCCommand.h"
#include "target/RemoteTarget.h"
#include "window/search/HistoryBox.h"
#include "window/launch/OwnActionLaunch.h"
#include "window/layout/PageSwitching.h"
#include "window/controls/Prompter.h"
#include "window/search/ResultsList.h"
#include "window/controls/StatusPanels.h"
#include "window/frmMain.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

// Brings settings page `settingsPage` of the Settings tab to the front.
void ShowSettingsPage(frmMain& w, int settingsPage) {
  MainState& s = w.state();
  SwitchPage(w.ui(), s.ActiveTab, 2);
  SwitchSettingsPage(w.ui(), s.ActiveSettingsTab, settingsPage);
}

}  // namespace

bool BuildAndLaunch(frmMain& w, const std::string& workstationFullName, const LoginOrigin& login) {
  MainState& s = w.state();
  if (const OwnAction* own = FindOwnAction(s.OwnActions, s.DefaultAction)) {
    return LaunchOwnAction(w, *own, workstationFullName, login);
  }
  MainWindowControls& ui = w.ui();
  const std::string server = ui.cmbServerlist->currentText().toStdString();
  const std::string inventory = ui.txtInvServer->text().toStdString();
  const RCCommandOutcome command = BuildRCCommand(
      {workstationFullName, s.DefaultAction, s.ExtendedActionsAvailable, server, inventory});
  if (command.statusText) SetStatusPanelText(ui, 2, Q(*command.statusText));
  if (command.addHistory) AddHistory(w, s.TargetName, s.TargetName, s.TargetClass);

  // No server chosen (a first start): said as for programs the server does not hold, so the
  // first click tells what to do instead of doing nothing.
  const LaunchReaction reaction =
      server.empty() && FindAction(s.DefaultAction)
          ? ReactToLaunch(LaunchOutcome{LaunchStatus::kNotFound, "no server chosen"})
          : LaunchStep(w.launcher(), command.commandLine);
  QApplication::restoreOverrideCursor();
  if (reaction.message) {
    w.prompter().ShowMessage(Q(*reaction.message), Q(kLaunchWarningTitle), MessageIcon::kCritical);
  }
  if (reaction.showServerSettings) ShowSettingsPage(w, 1);
  if (reaction.statusText) SetStatusPanelText(ui, 2, Q(*reaction.statusText));
  return !reaction.message && !reaction.statusText && !command.commandLine.empty();
}

void ShowResultEntries(frmMain& w, const ResultEntries& entries) {
  QTreeWidget& list = *w.ui().lstMultiple;
  list.clear();
  for (const auto& e : entries.items()) {
    auto* item = new QTreeWidgetItem(&list, {QString::fromStdString(e.text)});
    item->setData(0, Qt::UserRole, QString::fromStdString(e.key));
    item->setData(0, Qt::UserRole + 1, QString::fromStdString(e.icon));
    item->setData(0, kResultLoginUserRole, QString::fromStdString(e.login.user));
    item->setData(0, kResultLoginAddressRole, QString::fromStdString(e.login.address));
    item->setIcon(0, w.images().Icon(QString::fromStdString(e.icon)));
  }
}

void ShowDatabaseMessage(frmMain& w, const std::string& text) {
  const std::string shown = NameDatabaseFolder(text, w.state().DBPath, w.ports().programDir);
  w.prompter().ShowMessage(Q(shown), Q(kDatabaseMessageTitle), MessageIcon::kCritical);
  ShowSettingsPage(w, 4);
  SetStatusPanelText(w.ui(), 2, QString());
}

void RunRemoteAction(frmMain& w, const std::string& fullName, const LoginOrigin& login) {
  MainState& s = w.state();
  const RemoteTargetOutcome outcome =
      ResolveRemoteTarget(fullName, *w.dir().NWDirWSAddress, s.DBPath, s.TreeName);
  // Every way out leaves the default pointer, whoever set the hourglass.
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  MainWindowControls& ui = w.ui();
  if (outcome.entries) ShowResultEntries(w, *outcome.entries);
  if (outcome.columnTitle) ui.lstMultiple->headerItem()->setText(0, Q(*outcome.columnTitle));
  if (outcome.databaseMessage) ShowDatabaseMessage(w, *outcome.databaseMessage);
  if (outcome.statusText) SetStatusPanelText(ui, 2, Q(*outcome.statusText));
  if (outcome.launch) {
    BuildAndLaunch(w, *outcome.launch, outcome.launchLogin.empty() ? login : outcome.launchLogin);
  }
}

}  // namespace cvx
