#include "shell/StartUp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <iostream>

#include "directory/ExtendedActionsProbe.h"
#include "shell/ApplyCommandLine.h"
#include "shell/OwnActionsLoading.h"
#include "shell/SettingsProcedures.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/database/DatabaseBuild.h"
#include "window/database/DatabaseStateLabel.h"
#include "window/menus/ExtendedActionControls.h"
#include "window/controls/Prompter.h"
#include "window/controls/StatusPanels.h"
#include "window/browsers/TreeBrowsers.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

const char kClientMissingText[] = "Sorry! This application works with Novell Netware Client only!";
const char kReminderText[] = "Remember to update the Workstation Database regularly!";

StartUpOutcome ClientMissing(frmMain& w) {
  std::cerr << "cvx: the directory cannot be opened: "
            << (w.ports().directory ? std::string("no client") : w.ports().directory.message())
            << "\n";
  w.prompter().ShowMessage(QString::fromUtf8(kClientMissingText), QStringLiteral("Corvexa"),
                           MessageIcon::kNone);
  w.Discard();
  return StartUpOutcome::kClientMissing;
}

// Ends start-up at a failed step: the window shows as far as it was prepared. A half-filled
// window without a word would leave the administrator guessing, so the step and the reason go to
// stderr and to the status bar.
StartUpOutcome Stopped(frmMain& w, const char* step, int error, const std::string& reason = {}) {
  if (error == kDirClientMissing) return ClientMissing(w);
  const std::string what = std::string(step) + " (error " + std::to_string(error) + ")";
  w.SetStartupStoppedAt(what);
  const std::string text = "Start-up stopped at " + what + (reason.empty() ? "" : ": " + reason);
  std::cerr << "cvx: " << text << "\n";
  SetStatusPanelText(w.ui(), 2, QString::fromStdString(text));
  // A run that closes by itself has nobody to close a half-prepared window: it ends (status 1).
  if (w.state().AutoClose) {
    w.Unload();
    return StartUpOutcome::kUnloaded;
  }
  return StartUpOutcome::kReady;
}

std::unique_ptr<DirectoryControl> NewControl(DirectoryClient& client, const char* name,
                                             const char* classFilter) {
  auto c = client.CreateControl();
  c->setObjectName(QString::fromUtf8(name));
  c->SetClassFilter(classFilter);
  return c;
}

void CheckExtendedActions(frmMain& w) {
  MainState& s = w.state();
  // The tree in use answers, not the client's default tree: the two schemas may differ.
  s.ExtendedActionsAvailable =
      w.client() && ExtendedActionsSupported(*w.client(), w.dir().NWDirRCTree->ContextPath());
  ApplyExtendedActions(w.ui(), s.ExtendedActionsAvailable);
  if (!s.ExtendedActionsAvailable) s.DefaultAction = "RC";
}

// Tab 1 of both strips in front: page 1 and settings frame 1 shown, the others hidden.
void ShowFirstPages(MainWindowControls& ui) {
  {
    const QSignalBlocker quiet(ui.TabStrip);
    ui.TabStrip->setCurrentIndex(0);
  }
  for (int i = 1; i <= 3; ++i) ui.picControl[i]->setVisible(i == 1);
  {
    const QSignalBlocker quiet(ui.TabStripSettings);
    ui.TabStripSettings->setCurrentIndex(0);
  }
  for (int i = 1; i <= 4; ++i) ui.frameS[i]->setVisible(i == 1);
}

}  // namespace

int CreateDirectoryControls(frmMain& w) {
  DirectoryClient* client = w.client();
  if (!client) return kDirClientMissing;
  DirectoryControls& d = w.dir();
  d.NWDirRCTree =
      NewControl(*client, "NWDirRCTree",
                 "Country, Organization, Organizational Unit, User, Alias, Workstation");
  d.NWDirUser = NewControl(*client, "NWDirUser", "Country, Organization, Organizational Unit");
  d.NWDirWSdb = NewControl(*client, "NWDirWSdb", "Workstation");
  d.NWDirWS = NewControl(*client, "NWDirWS", "Country, Organization, Organizational Unit");
  d.NWDirWSAddress = NewControl(*client, "NWDirWSAddress", "User");
  return 0;
}

StartUpOutcome RunStartUp(frmMain& w) {
  using Outcome = StartUpOutcome;
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();

  if (int e = CreateDirectoryControls(w)) return Stopped(w, "creating the directory controls", e);

  ParseCommandLine(w);
  // An unattended build that could not start (its folder is missing) has unloaded the window.
  if (w.IsUnloaded()) return Outcome::kUnloaded;

  CheckExtendedActions(w);

  w.setWindowTitle(QStringLiteral("Corvexa on ") + QString::fromStdString(s.TreeName));

  if (s.ShowHelp) {
    w.Discard();
    return Outcome::kHelpRun;
  }

  // Before the settings: the stored default action may be one of them.
  LoadOwnActions(w);

  ChooseDatabaseFolder(w);
  ShowDatabaseState(w);
  ui.lblAbout[1]->setText(
      QStringLiteral("Version %1.%2").arg(CVX_VERSION_MAJOR).arg(CVX_VERSION_MINOR));
  SetStatusPanelText(ui, 1, QStringLiteral("Help"));
  SetStatusPanelText(ui, 2, QString::fromLatin1(kReminderText));
  s.ActiveTab = 1;
  s.ActiveSettingsTab = 1;

  const auto servers = ListServerNames(*w.client());
  if (!servers) return Stopped(w, "listing the servers", servers.error(), servers.message());
  for (const auto& name : *servers) ui.cmbServerlist->addItem(QString::fromStdString(name));

  ui.cmbNDSInfoLayout->clear();
  ui.cmbNDSInfoLayout->addItems({QStringLiteral("User"), QStringLiteral("Workstation")});
  ui.cmbNDSInfoLayout->setCurrentIndex(0);

  if (int e = BuildNDSLayoutList(w)) return Stopped(w, "BuildNDSLayoutList", e);
  if (int e = LoadSettings(w)) return Stopped(w, "LoadSettings", e);

  ShowFirstPages(ui);
  w.BindTreeViewWSImages();

  if (int e = BrowseStartWS(w)) return Stopped(w, "BrowseStartWS", e);
  if (int e = BrowseStartRC(w)) return Stopped(w, "BrowseStartRC", e);
  // The browsers show their context in panel 2; a fresh start shows the reminder there.
  SetStatusPanelText(ui, 2, QString::fromLatin1(kReminderText));

  if (!s.DBBuildContext.empty() && s.AutoClose) {
    w.Unload();
    return Outcome::kUnloaded;
  }

  if (int e = ShowSearchAnchor(w)) return Stopped(w, "ShowSearchAnchor", e);
  return Outcome::kReady;
}

}  // namespace cvx
