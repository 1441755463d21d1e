#pragma once

// The main window. Each feature of it is a controller that holds only the controls, state and
// services it uses; frmMain owns them, and they go before the controls do.
//
//   control event                                      controller              file
//   cmdRC clicked, NWDirUser search completed          TargetSearch            search/TargetSearch
//   lstMultiple click, double click, keys, mouse       ResultsList             search/ResultsList
//   ImageCombo1 keys, focus, choice; cmdPurgeH         HistoryBox              search/HistoryBox
//   TreeViewRC expand, click, keys, mouse, menu,       RemoteControlBrowser
//   browsers/RemoteControlBrowser
//     mnuRefreshTreeBranch, mnuSearchAnchor
//   TreeViewWS expand, click                           WorkstationBrowser
//   browsers/WorkstationBrowser Command1, mnuMain and mnuDefaultAction entries ActionMenuController
//   menus/ActionMenuController cmdBuildWSdb, frameS(4) shown, build progress      DatabaseBuildPage
//   database/DatabaseBuildPage cmbNDSInfoLayout                                   AttributeDisplay
//   attributes/AttributeDisplay resize, splitter strips, status bar panels, F1     WindowLayout
//   layout/WindowLayout TabStrip, TabStripSettings                         (PageSwitching)
//   layout/PageSwitching the launch path every picker ends in               TargetLauncher
//   launch/TargetLauncher Form_Load, Form_Unload (settings to and fro)       frmMain,
//   SettingsMapping startup/

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"
#include "window/MainState.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/ImageListMy.h"
#include "window/controls/MainWindowControls.h"
#include "window/startup/StartUpOutcome.h"

namespace cvx {

class ActionMenuController;
class AttributeDisplay;
class DatabaseBuildJob;
class DatabaseBuildPage;
class Diagnostics;
class HistoryBox;
class Pages;
class PickDisplay;
class ProcessLauncher;
class Prompter;
class RemoteControlBrowser;
class ResultsList;
class SettingsMapping;
class SettingsStore;
class TargetLauncher;
class TargetSearch;
class WindowLayout;
class WorkstationBrowser;
struct frmMainTestAccess;

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // What the window is given from outside.
  struct Ports {
    DirResult<DirectoryClientPtr> directory = MakeDirError(kDirClientMissing, "no directory");
    Prompter* prompter = nullptr;
    Diagnostics* diagnostics = nullptr;   // the "cvx: ..." lines; null: standard error
    SettingsStore* settings = nullptr;    // the per-user settings store; never null in a run
    ProcessLauncher* launcher = nullptr;  // starts the remote-management programs
    std::string programDir;               // the directory of the program's executable
    std::vector<std::string> arguments;   // the program's arguments, without its name
    std::string ownActionsFile;           // the administrator's own actions; empty: none
  };

  explicit frmMain(Ports ports, QWidget* parent = nullptr);
  ~frmMain() override;

  // The load handler: creates the directory controls, reads the command line, tests the schema
  // for the extended actions and prepares every control, in a fixed order. An error in a step
  // ends start-up there; the window then shows as far as it got, and says which step failed and
  // why. The caller decides what the outcome means for the run.
  StartUpOutcome Load();

  // The unload handler, once: the settings are written back and the directory closed, then the
  // window is gone. Unloading and Unloaded tell the program.
  void Unload();
  // Ends the window without the unload steps (nothing saved): the help run and the missing
  // directory.
  void Discard();
  bool IsUnloaded() const { return unloaded_; }

  // The workstation database build, for the program to report and wait on.
  DatabaseBuildJob& buildJob();

 signals:
  void Unloading();
  void Unloaded();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend struct frmMainTestAccess;

  DirectoryClient* client() const;
  StartUpOutcome Stopped(const char* step, int error, const std::string& reason = {});
  StartUpOutcome ClientMissing();
  int CreateDirectoryControls();
  void ApplyCommandLine();
  void CheckExtendedActions();
  void LoadOwnActions();
  void ShowFirstPages();
  void CloseDirectory();

  Ports ports_;
  std::unique_ptr<Diagnostics> ownDiagnostics_;  // when the ports bring none
  Diagnostics* diagnostics_;
  ImageListMy images_;
  MainWindowControls ui_;
  MainState state_;
  DirectoryControls dir_;
  bool unloaded_ = false;

  // The controllers, in the order they are built; members go in reverse order, all before the
  // controls (which the QMainWindow base takes down after them).
  std::unique_ptr<Pages> pages_;
  std::unique_ptr<WindowLayout> layout_;
  std::unique_ptr<AttributeDisplay> attributes_;
  std::unique_ptr<PickDisplay> shown_;
  std::unique_ptr<HistoryBox> history_;
  std::unique_ptr<TargetLauncher> launch_;
  std::unique_ptr<ResultsList> results_;
  std::unique_ptr<RemoteControlBrowser> browserRC_;
  std::unique_ptr<WorkstationBrowser> browserWS_;
  std::unique_ptr<TargetSearch> search_;
  std::unique_ptr<ActionMenuController> menus_;
  std::unique_ptr<DatabaseBuildPage> database_;
  std::unique_ptr<SettingsMapping> settings_;
};

}  // namespace cvx
