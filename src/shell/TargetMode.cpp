#include "shell/TargetMode.h"

#include <QEventLoop>
#include <ostream>

#include "actions/LaunchStep.h"
#include "core/ActionCatalogue.h"
#include "core/BuildRCCommand.h"
#include "core/OwnActionsFile.h"
#include "core/PrintableLines.h"
#include "core/PrintableText.h"
#include "core/TextUtil.h"
#include "core/UNCtoDOTConversion.h"
#include "directory/DirectoryClient.h"
#include "directory/ExtendedActionsProbe.h"
#include "settings/HistoryStore.h"
#include "settings/StoredSettingsIo.h"
#include "target/OwnActionForming.h"
#include "target/RemoteTarget.h"
#include "wsdb/DatabaseFolder.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx {

namespace {

class TargetRun {
 public:
  TargetRun(const CommandLineOptions& o, const TargetModePorts& p) : o_(o), p_(p) {}

  int Run() {
    DirectoryClient& client = *p_.directory;
    search_ = client.CreateControl();
    lookup_ = client.CreateControl();
    lookup_->SetClassFilter("User");
    if (!o_.cmdLineTree.empty()) {
      search_->SetContextPath(o_.cmdLineTree);
      lookup_->SetContextPath(o_.cmdLineTree);
    }
    tree_ = search_->TreeNameOf(search_->ContextPath());
    dbPath_ = !o_.dbPath.empty() ? o_.dbPath
                                 : DefaultDatabaseFolder(
                                       DatabaseFolderPlacesFromEnvironment(p_.programDir), tree_);
    extended_ = ExtendedActionsSupported(client, search_->ContextPath());
    OwnActionsFile ownFile = ReadOwnActions(p_.ownActionsFile);
    for (const auto& problem : ownFile.problems)
      *p_.err << "cvx: " << PrintableText(problem) << '\n';
    own_ = std::move(ownFile.actions);
    const auto performable = [this](std::string_view code) {
      return IsPerformableAction(code, extended_, own_);
    };
    // The stored action as it stands: one this run cannot perform is refused below, never
    // replaced by Remote Control.
    settings_ =
        LoadStoredSettings(*p_.settings, tree_, [](std::string_view) { return true; }).values;
    const std::string root = search_->JoinTreePath(tree_, "");
    context_ = !settings_.SearchAnchor.empty() ? settings_.SearchAnchor
                                               : ReadCurrentContext(*p_.settings, tree_, root);
    // Defaults in place of stored values could start another action (Remote Control for a stored
    // Remote View) or search elsewhere: a store that cannot be read ends the run.
    if (const StoreStatus read = p_.settings->ReadStatus(); !read.ok) {
      return Fail("the stored settings cannot be read, so nothing is started: " + read.message);
    }

    action_ = !o_.action.empty() ? CanonicalAction(o_.action) : settings_.RemoteAction;
    if (!performable(action_)) {
      return Fail("the action \"" + action_ + "\" is not available on tree " + tree_);
    }
    server_ = !o_.server.empty() ? o_.server : settings_.ZWServer;

    const SearchOutcome found = Search();
    if (!found) return Fail("the search failed: " + found.message());
    if (found->empty()) return Fail("nothing found for \"" + o_.target + "\"");
    if (found->size() > 1) {
      for (const auto& name : *found) {
        *p_.out << PrintableText(DottedName(name)) << '\t' << PrintableText(name) << '\n';
      }
      return Printed(kTargetChoose);
    }
    return ActOn(found->front());
  }

 private:
  // --action= in any letter case, as the actions file refuses names that differ only in case: the
  // catalogue's code or the own action's name as written there.
  std::string CanonicalAction(const std::string& given) const {
    for (const RemoteAction& action : ActionCatalogue()) {
      if (EqualsNoCase(action.code, given)) return std::string(action.code);
    }
    for (const OwnAction& own : own_) {
      if (EqualsNoCase(own.name, given)) return own.name;
    }
    return given;
  }

  int Fail(const std::string& text) {
    *p_.err << "cvx: " << PrintableLines(text) << '\n';
    return kTargetNotStarted;
  }

  // What was written on the output counts only once it is out: a full disk or a closed pipe is
  // a failed run, not a result nobody got.
  int Printed(int status) {
    p_.out->flush();
    if (*p_.out) return status;
    return Fail("the output cannot be written");
  }

  // The same search the action button starts, on the stored search settings.
  SearchOutcome Search() {
    const std::string classes =
        settings_.SearchForAliases ? "User, Alias, Workstation" : "User, Workstation";
    const int scope = settings_.SearchSubordinates == 1 ? kScopeContainerOnly : kScopeSubtree;
    std::optional<SearchOutcome> outcome;
    QEventLoop loop;
    QObject::connect(search_.get(), &DirectoryControl::SearchCompleted, &loop,
                     [&](const SearchOutcome& o) {
                       outcome = o;
                       loop.quit();
                     });
    search_->StartSearch(o_.target + "*", classes, scope, context_);
    if (!outcome) loop.exec();
    return *outcome;
  }

  int ActOn(const std::string& name) {
    const auto entry = lookup_->FindEntry(name);
    if (!entry) {
      return Fail(entry.error() == kDirNoSuchObject ? "User/workstation object not found!"
                                                    : "the directory failed: " + entry.message());
    }
    targetName_ = (*entry)->FullPath();
    targetClass_ = (*entry)->Layout().Name;
    if (targetClass_ == "Workstation") return Start(targetName_, {});

    const TargetOutcome where = ResolveRemoteTarget(targetName_, *lookup_, dbPath_, tree_);
    if (where.databaseMessage)
      return Fail(NameDatabaseFolder(*where.databaseMessage, dbPath_, p_.programDir));
    if (where.launch) return Start(*where.launch, where.launchLogin);
    if (where.entries && !where.entries->empty()) {
      for (const auto& e : where.entries->items()) {
        *p_.out << PrintableText(e.text) << '\t' << PrintableText(e.key) << '\n';
      }
      return Printed(kTargetChoose);
    }
    if (where.statusText && !where.statusText->empty()) return Fail(*where.statusText);
    return Fail("the directory connection was lost");
  }

  void RecordHistory() {
    HistoryItems history = LoadHistory(*p_.settings, tree_);
    AddHistory(history, *p_.settings, tree_, targetName_, targetName_, targetClass_);
  }

  int StartOwn(const OwnAction& action, const std::string& workstation, const LoginOrigin& login) {
    const OwnActionCommand command = FormOwnAction(action, *lookup_, workstation, login);
    if (command.statusText) return Fail(*command.statusText);
    if (o_.dryRun) {
      for (const auto& arg : command.arguments) *p_.out << PrintableText(arg) << '\n';
      return Printed(kTargetStarted);
    }
    RecordHistory();
    const LaunchReaction reaction = LaunchArgumentsStep(*p_.launcher, command.arguments);
    if (reaction.statusText) return Fail(*reaction.statusText);
    return kTargetStarted;
  }

  int Start(const std::string& workstation, const LoginOrigin& login) {
    if (const OwnAction* own = FindOwnAction(own_, action_)) {
      return StartOwn(*own, workstation, login);
    }
    const RCCommandOutcome command =
        BuildRCCommand({workstation, action_, extended_, server_, settings_.InventoryServer});
    if (command.statusText && !command.statusText->empty()) return Fail(*command.statusText);
    if (command.commandLine.empty()) {
      return Fail(server_.empty() ? "no server chosen: give --server= or choose one in the window"
                                  : "no command for the action \"" + action_ + "\"");
    }
    if (o_.dryRun) {
      *p_.out << PrintableText(command.commandLine) << '\n';
      return Printed(kTargetStarted);
    }
    if (command.addHistory) RecordHistory();
    const LaunchReaction reaction = LaunchStep(*p_.launcher, command.commandLine);
    if (reaction.message) return Fail(*reaction.message);
    if (reaction.statusText && !reaction.statusText->empty()) return Fail(*reaction.statusText);
    return kTargetStarted;
  }

  const CommandLineOptions& o_;
  const TargetModePorts& p_;
  std::unique_ptr<DirectoryControl> search_;
  std::unique_ptr<DirectoryControl> lookup_;
  std::string tree_, dbPath_, context_, action_, server_, targetName_, targetClass_;
  bool extended_ = false;
  OwnActionList own_;
  StoredSettings settings_;
};

}  // namespace

int RunTargetMode(const CommandLineOptions& options, const TargetModePorts& ports) {
  return TargetRun(options, ports).Run();
}

}  // namespace cvx
