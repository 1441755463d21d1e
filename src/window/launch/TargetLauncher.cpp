#include "window/launch/TargetLauncher.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "actions/LaunchStep.h"
#include "core/ActionCatalogue.h"
#include "core/BuildRCCommand.h"
#include "target/CheckLogin.h"
#include "target/OwnActionForming.h"
#include "target/RemoteTarget.h"
#include "window/MainState.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/Prompter.h"
#include "window/controls/QtText.h"
#include "window/layout/PageSwitching.h"
#include "window/search/ResultsList.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx {

TargetLauncher::TargetLauncher(Controls controls, Services services, const StartOptions& start,
                               const ActionChoice& actions, const TargetPick& pick)
    : c_(std::move(controls)),
      s_(std::move(services)),
      start_(start),
      actions_(actions),
      pick_(pick) {}

void TargetLauncher::RunRemoteAction(const std::string& fullName, const std::string& action,
                                     const LoginOrigin& login) {
  if (!s_.dir.NWDirWSAddress) return;
  Apply(ResolveRemoteTarget(fullName, *s_.dir.NWDirWSAddress, start_.DBPath, start_.TreeName),
        action, login);
}

int TargetLauncher::CheckLogin(const std::string& fullName) {
  if (!s_.dir.NWDirWSAddress) return kDirClientMissing;
  const TargetOutcome outcome =
      checkLogin(fullName, *s_.dir.NWDirWSAddress, start_.DBPath, start_.TreeName);
  Apply(outcome, actions_.DefaultAction, {});
  return outcome.lookupError;
}

void TargetLauncher::Apply(const TargetOutcome& outcome, const std::string& action,
                           const LoginOrigin& login) {
  QTreeWidget& list = *c_.lstMultiple;
  if (outcome.entries) ShowResultEntries(list, s_.images, *outcome.entries);
  if (outcome.columnTitle) list.headerItem()->setText(0, Q(*outcome.columnTitle));
  if (outcome.databaseMessage) ShowDatabaseMessage(*outcome.databaseMessage);
  if (outcome.statusText) c_.status.Announce(Q(*outcome.statusText));
  // A lone note ("User not logged in!") is the answer to the pick, though no status text says so.
  if (outcome.entries && list.topLevelItemCount() == 1 &&
      ResultKey(list.topLevelItem(0)).empty()) {
    AnnounceResult(&list, 0);
  }
  if (outcome.launch) {
    BuildAndLaunch(*outcome.launch, action,
                   outcome.launchLogin.empty() ? login : outcome.launchLogin);
  }
}

bool TargetLauncher::BuildAndLaunch(const std::string& workstationFullName,
                                    const std::string& action, const LoginOrigin& login) {
  if (const OwnAction* own = FindOwnAction(actions_.OwnActions, action)) {
    return LaunchOwnAction(*own, workstationFullName, login);
  }
  const std::string server = c_.cmbServerlist->currentText().toStdString();
  const std::string inventory = c_.txtInvServer->text().toStdString();
  const RCCommandOutcome command = BuildRCCommand(
      {workstationFullName, action, start_.ExtendedActionsAvailable, server, inventory});
  if (command.statusText) c_.status.Set(Q(*command.statusText));
  if (command.addHistory) {
    s_.history.AddHistory(pick_.TargetName, pick_.TargetName, pick_.TargetClass);
  }

  // No server chosen (a first start): said as for programs the server does not hold, so the
  // first click tells what to do instead of doing nothing.
  const LaunchReaction reaction =
      server.empty() && FindAction(action)
          ? ReactToLaunch(LaunchOutcome{LaunchStatus::kNotFound, "no server chosen"})
          : LaunchStep(s_.launcher, command.commandLine);
  if (reaction.message) {
    s_.prompter.ShowMessage(Q(*reaction.message), Q(kLaunchWarningTitle), MessageIcon::kCritical);
  }
  if (reaction.showServerSettings) s_.pages.ShowSettingsPage(1);
  if (reaction.statusText) c_.status.Set(Q(*reaction.statusText));
  return !reaction.message && !reaction.statusText && !command.commandLine.empty();
}

bool TargetLauncher::LaunchOwnAction(const OwnAction& own, const std::string& workstationFullName,
                                     const LoginOrigin& login) {
  if (!s_.dir.NWDirWSAddress) return false;
  const OwnActionCommand command =
      FormOwnAction(own, *s_.dir.NWDirWSAddress, workstationFullName, login);
  // A refusal (no address, a value with a control character ...) only goes to panel 2.
  if (command.statusText) {
    c_.status.Set(Q(*command.statusText));
    return false;
  }
  s_.history.AddHistory(pick_.TargetName, pick_.TargetName, pick_.TargetClass);
  const LaunchReaction reaction = LaunchArgumentsStep(s_.launcher, command.arguments);
  c_.status.Set(Q(reaction.statusText.value_or(std::string())));
  return !reaction.statusText;
}

void TargetLauncher::ShowDatabaseMessage(const std::string& text) {
  const std::string shown = NameDatabaseFolder(text, start_.DBPath, s_.programDir);
  s_.prompter.ShowMessage(Q(shown), Q(kDatabaseMessageTitle), MessageIcon::kCritical);
  s_.pages.ShowSettingsPage(4);
  c_.status.Clear();
}

}  // namespace cvx
