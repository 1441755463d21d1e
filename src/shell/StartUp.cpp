#include "shell/StartUp.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <iostream>

#include "shell/ApplyCommandLine.h"
#include "shell/SettingsProcedures.h"
#include "shell/VersionCheck.h"
#include "window/AttributeDisplay.h"
#include "window/Prompter.h"
#include "window/StatusPanels.h"
#include "window/TreeBrowsers.h"

namespace cvx {

namespace {

const char kClientMissingText[] = "Sorry! This application works with Novell Netware Client only!";

frmMain::LoadOutcome ClientMissing(frmMain& w) {
  std::cerr << "cvx: the directory cannot be opened: "
            << (w.ports().directory ? std::string("no client") : w.ports().directory.message())
            << "\n";
  w.prompter().ShowMessage(QString::fromUtf8(kClientMissingText), QStringLiteral("Corvexa"),
                           MessageIcon::kNone);
  w.Discard();
  return frmMain::LoadOutcome::kClientMissing;
}

// Ends start-up at a failed step: the window shows as far as it was prepared.
frmMain::LoadOutcome Stopped(frmMain& w, const char* step, int error) {
  if (error == kDirClientMissing) return ClientMissing(w);
  w.SetStartupStoppedAt(std::string(step) + " (error " + std::to_string(error) + ")");
  return frmMain::LoadOutcome::kReady;
}

std::unique_ptr<DirectoryControl> NewControl(DirectoryClient& client, const char* name,
                                             const char* classFilter) {
  auto c = client.CreateControl();
  c->setObjectName(QString::fromUtf8(name));
  c->SetClassFilter(classFilter);
  return c;
}

int FillServerList(frmMain& w) {
  DirectoryClient* client = w.client();
  if (!client) return kDirClientMissing;
  const auto session = client->CreateSession();
  const auto servers = session->ServerNames();
  if (!servers) return servers.error();
  for (const auto& s : servers.value()) {
    w.ui().cmbServerlist->addItem(QString::fromStdString(s.ShortName));
  }
  return 0;
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

frmMain::LoadOutcome RunStartUp(frmMain& w) {
  using Outcome = frmMain::LoadOutcome;
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();

  if (int e = CreateDirectoryControls(w)) return Stopped(w, "creating the directory controls", e);

  ParseCommandLine(w);
  // An unattended build that could not start (its folder is missing) has unloaded the window.
  if (w.IsUnloaded()) return Outcome::kUnloaded;

  s.ExtendedActionsAvailable = false;
  CheckExtendedActions(w);

  w.setWindowTitle(QStringLiteral("Corvexa on ") + QString::fromStdString(s.TreeName));

  if (s.ShowHelp) {
    w.Discard();
    w.ShowHelpWindow();
    return Outcome::kHelpRun;
  }

  if (s.DBPath.empty()) s.DBPath = w.ports().programDir;
  ui.lblAbout[1]->setText(
      QStringLiteral("Version %1.%2").arg(CVX_VERSION_MAJOR).arg(CVX_VERSION_MINOR));
  SetStatusPanelText(ui, 1, QStringLiteral("Help"));
  SetStatusPanelText(ui, 2,
                     QStringLiteral("Remember to update the Workstation Database regularly!"));
  s.ActiveTab = 1;
  s.ActiveSettingsTab = 1;

  if (int e = FillServerList(w)) return Stopped(w, "listing the servers", e);

  ui.cmbNDSInfoLayout->clear();
  ui.cmbNDSInfoLayout->addItems({QStringLiteral("User"), QStringLiteral("Workstation")});
  ui.cmbNDSInfoLayout->setCurrentIndex(0);

  if (int e = BuildNDSLayoutList(w)) return Stopped(w, "BuildNDSLayoutList", e);
  if (int e = LoadSettings(w)) return Stopped(w, "LoadSettings", e);

  ShowFirstPages(ui);
  w.treeViewWSImages = &w.images();

  if (int e = BrowseStartWS(w)) return Stopped(w, "BrowseStartWS", e);
  if (int e = BrowseStartRC(w)) return Stopped(w, "BrowseStartRC", e);

  if (!s.DBBuildContext.empty() && s.AutoClose) {
    w.Unload();
    return Outcome::kUnloaded;
  }

  if (int e = ShowSearchAnchor(w)) return Stopped(w, "ShowSearchAnchor", e);
  return Outcome::kReady;
}

}  // namespace cvx
