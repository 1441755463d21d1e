#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/ImageListMy.h"
#include "window/MainState.h"
#include "window/controls/MainWindowControls.h"

namespace cvx {

class ProcessLauncher;
class Prompter;
class SettingsStore;

// The main window: owns every control, the five directory controls and the shared state. The
// handlers' logic lives with their subsystems; this class only holds what they share. The shell
// builds it, runs start-up on it and connects the shutdown steps to Unloading.
class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // What the window is given from outside.
  struct Ports {
    DirResult<DirectoryClientPtr> directory = MakeDirError(kDirClientMissing, "no directory");
    Prompter* prompter = nullptr;
    SettingsStore* settings = nullptr;    // the per-user settings store; never null in a run
    ProcessLauncher* launcher = nullptr;  // starts the remote-management programs
    std::string programDir;               // the directory of the program's executable
    std::vector<std::string> arguments;   // the program's arguments, without its name
    std::string ownActionsFile;           // the administrator's own actions; empty: none
  };

  explicit frmMain(Ports ports, QWidget* parent = nullptr);
  ~frmMain() override;

  // The unload handler, once: Unloading lets the shell run the shutdown steps, then the window is
  // gone.
  void Unload();
  // Ends the window without the shutdown steps (nothing saved): the help run and the missing
  // directory.
  void Discard();
  bool IsUnloaded() const { return unloaded_; }

  // Where start-up stopped on an error (empty after a full start-up), for diagnostics and tests.
  const std::string& StartupStoppedAt() const { return startupStoppedAt_; }
  void SetStartupStoppedAt(std::string step) { startupStoppedAt_ = std::move(step); }

  MainWindowControls& ui() { return ui_; }
  MainState& state() { return state_; }
  DirectoryControls& dir() { return dir_; }
  const ImageListMy& images() const { return images_; }
  Prompter& prompter() { return *ports_.prompter; }
  SettingsStore& settings() { return *ports_.settings; }
  ProcessLauncher& launcher() { return *ports_.launcher; }
  const Ports& ports() const { return ports_; }
  DirectoryClient* client() const { return ports_.directory ? ports_.directory->get() : nullptr; }

  // The image list of the workstation browser, bound by start-up (none before).
  void BindTreeViewWSImages() { treeViewWSImages_ = &images_; }
  const ImageListMy* TreeViewWSImages() const { return treeViewWSImages_; }

  // Splitter positions in twips, relative to page 1; SizeControlsV/H (SplitterPositions.h) set
  // them.
  double splitV() const { return splitV_; }
  double splitH() const { return splitH_; }
  void SetSplitV(double x) { splitV_ = x; }
  void SetSplitH(double y) { splitH_ = y; }

 signals:
  // The window is being unloaded: the shutdown steps run now (not for a discarded window).
  void Unloading();
  // The shutdown steps ran (not emitted for a discarded window).
  void Unloaded();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Ports ports_;
  ImageListMy images_;
  MainWindowControls ui_;
  MainState state_;
  DirectoryControls dir_;
  const ImageListMy* treeViewWSImages_ = nullptr;
  std::string startupStoppedAt_;
  bool unloaded_ = false;
  double splitV_;
  double splitH_;
};

}  // namespace cvx
