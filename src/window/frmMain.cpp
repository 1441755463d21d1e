#include "window/frmMain.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <array>

#include "core/CommandLine.h"
#include "core/OwnActionsFile.h"
#include "directory/ExtendedActionsProbe.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/browsers/RemoteControlBrowser.h"
#include "window/browsers/WorkstationBrowser.h"
#include "window/controls/Diagnostics.h"
#include "window/controls/Prompter.h"
#include "window/database/DatabaseBuildPage.h"
#include "window/launch/TargetLauncher.h"
#include "window/layout/PageSwitching.h"
#include "window/layout/WindowGeometry.h"
#include "window/layout/WindowLayout.h"
#include "window/menus/ActionMenuController.h"
#include "window/menus/ExtendedActionControls.h"
#include "window/search/HistoryBox.h"
#include "window/search/PickDisplay.h"
#include "window/search/ResultsList.h"
#include "window/search/TargetSearch.h"
#include "window/startup/SettingsMapping.h"

namespace cvx {

namespace {

const char kClientMissingText[] = "Sorry! This application works with Novell Netware Client only!";
const char kReminderText[] = "Remember to update the Workstation Database regularly!";

// The five directory controls and the classes each one shows.
struct ControlFilter {
  std::unique_ptr<DirectoryControl> DirectoryControls::*control;
  const char* name;
  const char* classFilter;
};
constexpr std::array<ControlFilter, 5> kControlFilters = {{
    {&DirectoryControls::NWDirRCTree, "NWDirRCTree",
     "Country, Organization, Organizational Unit, User, Alias, Workstation"},
    {&DirectoryControls::NWDirUser, "NWDirUser", "Country, Organization, Organizational Unit"},
    {&DirectoryControls::NWDirWSdb, "NWDirWSdb", "Workstation"},
    {&DirectoryControls::NWDirWS, "NWDirWS", "Country, Organization, Organizational Unit"},
    {&DirectoryControls::NWDirWSAddress, "NWDirWSAddress", "User"},
}};

}  // namespace

frmMain::frmMain(Ports ports, QWidget* parent)
    : QMainWindow(parent),
      ports_(std::move(ports)),
      ownDiagnostics_(ports_.diagnostics ? nullptr : std::make_unique<StderrDiagnostics>()),
      diagnostics_(ports_.diagnostics ? ports_.diagnostics : ownDiagnostics_.get()),
      ui_(BuildMainWindowControls(this)) {
  setObjectName(QStringLiteral("frmMain"));
  MainState& s = state_;
  const StatusLine status(ui_.StatusPanel);
  ConnectPageSwitching(ui_, s.pages.ActiveTab, s.pages.ActiveSettingsTab);
  pages_ = std::make_unique<Pages>(ui_, s.pages.ActiveTab, s.pages.ActiveSettingsTab);
  layout_ = std::make_unique<WindowLayout>(*this, ui_, s.pages, s.start);
  attributes_ = std::make_unique<AttributeDisplay>(
      AttributeDisplay::Controls{ui_.lvwNDSinfo, ui_.cmbNDSInfoLayout, ui_.lstNDSInfoSelect,
                                 status},
      dir_);
  shown_ = std::make_unique<PickDisplay>(*ui_.ImageCombo1, *ui_.cmdRC, *ui_.Command1, s.actions);
  history_ = std::make_unique<HistoryBox>(*shown_, *ui_.cmdPurgeH, status, images_,
                                          *ports_.settings, s.History, s.start, s.target);
  launch_ = std::make_unique<TargetLauncher>(
      TargetLauncher::Controls{ui_.lstMultiple, ui_.cmbServerlist, ui_.txtInvServer, status},
      TargetLauncher::Services{*ports_.launcher, *ports_.prompter, images_, dir_, *history_,
                               *pages_, ports_.programDir},
      s.start, s.actions, s.target);
  const TargetLinks links{*attributes_, *launch_};
  results_ = std::make_unique<ResultsList>(
      ResultsList::Controls{ui_.lstMultiple, ui_.menus.mnuMain, status}, *shown_, links, dir_,
      s.actions, s.target);
  browserWS_ = std::make_unique<WorkstationBrowser>(*ui_.TreeViewWS, status, images_, dir_);
  browserRC_ = std::make_unique<RemoteControlBrowser>(
      RemoteControlBrowser::Controls{ui_.TreeViewRC, ui_.lstMultiple, ui_.txtSearchAnchor,
                                     ui_.menus.mnuMain, ui_.menus.mnuTreeManipulate,
                                     ui_.menus.mnuRefreshTreeBranch, ui_.menus.mnuSearchAnchor,
                                     status},
      *shown_, links, RemoteControlBrowser::Services{images_, dir_, *ports_.settings, s.start},
      s.search, s.target, s.actions);
  search_ = std::make_unique<TargetSearch>(
      TargetSearch::Controls{ui_.cmdRC, ui_.ImageCombo1, ui_.CheckAlias, ui_.optSubOrdTreeGroup,
                             ui_.TreeViewRC, ui_.lstMultiple, status},
      TargetSearch::Links{links,
                          [this](const std::string& path) { return browserRC_->treeExp(path); },
                          [this] { results_->ResultsListDoubleClick(); }},
      TargetSearch::Services{client(), dir_, images_}, s.search, s.target, s.actions, s.History);
  menus_ = std::make_unique<ActionMenuController>(
      ActionMenuController::Controls{this, ui_.cmdRC, ui_.Command1, ui_.txtInvServer,
                                     ui_.TreeViewRC, ui_.lstMultiple, ui_.menus, status},
      ActionMenuController::Services{*launch_, *ports_.prompter, *pages_, dir_}, s.actions, s.start,
      s.target);
  database_ = std::make_unique<DatabaseBuildPage>(
      DatabaseBuildPage::Controls{ui_.cmdBuildWSdb, ui_.optDBfile[0], ui_.TreeViewWS,
                                  ui_.lblDBstate, ui_.frameS[4], status},
      DatabaseBuildPage::Services{*ports_.prompter, *diagnostics_, dir_, ports_.programDir,
                                  [this] { close(); }},
      s.start);
  settings_ = std::make_unique<SettingsMapping>(
      *this, ui_, s,
      SettingsMapping::Services{*ports_.settings, *ports_.prompter, *diagnostics_, images_,
                                *layout_});
  ResizeWindowTwips(*this, kDefaultWindowWidth, kDefaultWindowHeight);
}

frmMain::~frmMain() = default;

DirectoryClient* frmMain::client() const {
  return ports_.directory ? ports_.directory->get() : nullptr;
}

DatabaseBuildJob& frmMain::buildJob() {
  return database_->job();
}

StartUpOutcome frmMain::Load() {
  using Outcome = StartUpOutcome;
  MainState& s = state_;
  if (int e = CreateDirectoryControls()) return Stopped("creating the directory controls", e);
  ApplyCommandLine();
  // An unattended build that could not start (its folder is missing) has unloaded the window.
  if (unloaded_) return Outcome::kUnloaded;
  CheckExtendedActions();
  setWindowTitle(FullCaption(s.start.TreeName));
  if (s.start.ShowHelp) {
    Discard();
    return Outcome::kHelpRun;
  }
  // Before the settings: the stored default action may be one of them.
  LoadOwnActions();
  database_->ChooseDatabaseFolder();
  database_->ShowDatabaseState();
  ui_.lblAbout[1]->setText(
      QStringLiteral("Version %1.%2").arg(CVX_VERSION_MAJOR).arg(CVX_VERSION_MINOR));
  SetStatusPanelText(ui_, 1, QStringLiteral("Help"));
  SetStatusPanelText(ui_, 2, QString::fromLatin1(kReminderText));
  s.pages.ActiveTab = 1;
  s.pages.ActiveSettingsTab = 1;
  const auto servers = ListServerNames(*client());
  if (!servers) return Stopped("listing the servers", servers.error(), servers.message());
  for (const auto& name : *servers) ui_.cmbServerlist->addItem(QString::fromStdString(name));
  ui_.cmbNDSInfoLayout->clear();
  ui_.cmbNDSInfoLayout->addItems({QStringLiteral("User"), QStringLiteral("Workstation")});
  ui_.cmbNDSInfoLayout->setCurrentIndex(0);
  if (int e = attributes_->BuildNDSLayoutList()) return Stopped("BuildNDSLayoutList", e);
  if (int e = settings_->LoadSettings()) return Stopped("LoadSettings", e);
  ShowFirstPages();
  if (int e = browserWS_->BrowseStartWS()) return Stopped("BrowseStartWS", e);
  if (int e = browserRC_->BrowseStartRC()) return Stopped("BrowseStartRC", e);
  // The browsers show their context in panel 2; a fresh start shows the reminder there.
  SetStatusPanelText(ui_, 2, QString::fromLatin1(kReminderText));
  if (!s.start.DBBuildContext.empty() && s.start.AutoClose) {
    Unload();
    return Outcome::kUnloaded;
  }
  browserRC_->ShowSearchAnchorInTree();
  return Outcome::kReady;
}

StartUpOutcome frmMain::ClientMissing() {
  diagnostics_->Line("the directory cannot be opened: " +
                     (ports_.directory ? std::string("no client") : ports_.directory.message()));
  ports_.prompter->ShowMessage(QString::fromUtf8(kClientMissingText), QStringLiteral("Corvexa"),
                               MessageIcon::kNone);
  Discard();
  return StartUpOutcome::kClientMissing;
}

// Ends start-up at a failed step: the window shows as far as it was prepared. A half-filled
// window without a word would leave the administrator guessing, so the step and the reason go to
// stderr and to the status bar.
StartUpOutcome frmMain::Stopped(const char* step, int error, const std::string& reason) {
  if (error == kDirClientMissing) return ClientMissing();
  const std::string text = "Start-up stopped at " + std::string(step) + " (error " +
                           std::to_string(error) + ")" + (reason.empty() ? "" : ": " + reason);
  diagnostics_->Line(text);
  SetStatusPanelText(ui_, 2, QString::fromStdString(text));
  // A run that closes by itself has nobody to close a half-prepared window: it ends (status 1).
  if (state_.start.AutoClose) {
    Unload();
    return StartUpOutcome::kStoppedClosed;
  }
  return StartUpOutcome::kStopped;
}

int frmMain::CreateDirectoryControls() {
  DirectoryClient* directory = client();
  if (!directory) return kDirClientMissing;
  for (const ControlFilter& f : kControlFilters) {
    auto c = directory->CreateControl();
    c->setObjectName(QString::fromUtf8(f.name));
    c->SetClassFilter(f.classFilter);
    dir_.*(f.control) = std::move(c);
  }
  return 0;
}

void frmMain::ApplyCommandLine() {
  StartOptions& o = state_.start;
  const CommandLineOptions line = ParseProgramArguments(ports_.arguments);
  o.CmdLineTree = line.cmdLineTree;
  if (!line.dbPath.empty()) o.DBPath = line.dbPath;
  o.DBBuildContext = line.dbBuildContext;
  o.AutoClose = line.autoClose;
  o.ShowHelp = line.showHelp;
  if (!o.CmdLineTree.empty()) {
    for (const ControlFilter& f : kControlFilters)
      (dir_.*(f.control))->SetContextPath(o.CmdLineTree);
    // The directory decides what an unknown tree means; say it plainly for the administrator.
    if (dir_.NWDirRCTree->ContextEntry().error() == kDirNoSuchObject) {
      diagnostics_->Line(o.CmdLineTree + " is not in the directory");
    }
  }
  o.TreeName = dir_.NWDirRCTree->TreeNameOf(dir_.NWDirRCTree->ContextPath());
  if (!o.DBBuildContext.empty()) database_->makeDB(o.DBBuildContext);
}

void frmMain::CheckExtendedActions() {
  StartOptions& o = state_.start;
  // The tree in use answers, not the client's default tree: the two schemas may differ.
  o.ExtendedActionsAvailable =
      client() && ExtendedActionsSupported(*client(), dir_.NWDirRCTree->ContextPath());
  ApplyExtendedActions(ui_, o.ExtendedActionsAvailable);
  if (!o.ExtendedActionsAvailable) state_.actions.DefaultAction = "RC";
}

void frmMain::LoadOwnActions() {
  OwnActionsFile file = ReadOwnActions(ports_.ownActionsFile);
  if (!file.problems.empty()) {
    QString text = QStringLiteral("Some of your own remote actions are left out:");
    for (const auto& problem : file.problems) {
      diagnostics_->Line(problem);
      text += QStringLiteral("\r\n") + QString::fromStdString(problem);
    }
    ports_.prompter->ShowMessage(text, QStringLiteral("Warning!"), MessageIcon::kCritical);
  }
  state_.actions.OwnActions = std::move(file.actions);
  menus_->AddOwnActionEntries();
}

// Tab 1 of both strips in front: page 1 and settings frame 1 shown, the others hidden.
void frmMain::ShowFirstPages() {
  {
    const QSignalBlocker quiet(ui_.TabStrip);
    ui_.TabStrip->setCurrentIndex(0);
  }
  for (int i = 1; i <= 3; ++i) ui_.picControl[i]->setVisible(i == 1);
  {
    const QSignalBlocker quiet(ui_.TabStripSettings);
    ui_.TabStripSettings->setCurrentIndex(0);
  }
  for (int i = 1; i <= 4; ++i) ui_.frameS[i]->setVisible(i == 1);
}

void frmMain::Unload() {
  if (unloaded_) return;
  emit Unloading();
  unloaded_ = true;
  const StartOptions& o = state_.start;
  // The start-up build of a run that closes by itself has no window state worth keeping.
  if (o.DBBuildContext.empty() || !o.AutoClose) {
    // Settings lost without a word would surprise the administrator at the next start.
    const StoreStatus saved = settings_->SaveSettings();
    if (!saved.ok && saved.message != state_.settings.SettingsStoreWarning) {
      diagnostics_->Line("the settings were not saved: " + saved.message);
      ports_.prompter->ShowMessage(QStringLiteral("The settings were not saved:\r\n") +
                                       QString::fromStdString(saved.message),
                                   QStringLiteral("Warning!"), MessageIcon::kCritical);
    }
    CloseDirectory();
  }
  hide();
  emit Unloaded();
}

void frmMain::CloseDirectory() {
  for (const ControlFilter& f : kControlFilters) (dir_.*(f.control)).reset();
}

void frmMain::Discard() {
  unloaded_ = true;
  hide();
}

void frmMain::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (layout_) layout_->Form_Resize();
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Minimizing and restoring need not resize the window, but each changes the caption.
  if (event->type() == QEvent::WindowStateChange && layout_) layout_->Form_Resize();
}

}  // namespace cvx
