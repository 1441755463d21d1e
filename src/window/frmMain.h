#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"
#include "window/DirectoryControls.h"
#include "window/ImageListMy.h"
#include "window/MainState.h"
#include "window/MainWindowControls.h"

namespace cvx {

class Prompter;
class frmHelpWindow;

// The main window: owns every control, the five directory controls and the shared state. The
// handlers' logic lives with their subsystems; this class only holds what they share.
class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // What the window is given from outside.
  struct Ports {
    DirResult<DirectoryClientPtr> directory = MakeDirError(kDirClientMissing, "no directory");
    Prompter* prompter = nullptr;
    std::string programDir;              // the directory of the program's executable
    std::vector<std::string> arguments;  // the program's arguments, without its name
  };

  // How start-up ended.
  enum class LoadOutcome {
    kReady,          // show the window (possibly prepared only part of the way)
    kHelpRun,        // only the help window is left
    kUnloaded,       // the window was unloaded during start-up and is never shown
    kClientMissing,  // the directory cannot be used: the message was shown, end with status 1
  };

  explicit frmMain(Ports ports, QWidget* parent = nullptr);
  ~frmMain() override;

  // The load handler: the whole start-up sequence.
  LoadOutcome Load();
  // The unload handler (shutdown steps), once; the window is gone afterwards.
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
  const Ports& ports() const { return ports_; }
  DirectoryClient* client() const { return ports_.directory ? ports_.directory->get() : nullptr; }

  // The image list bound to the workstation browser (none until start-up binds it).
  const ImageListMy* treeViewWSImages = nullptr;

  frmHelpWindow* helpWindow() const { return helpWindow_.get(); }
  void ShowHelpWindow();

  // Splitter positions in twips, relative to page 1.
  double splitV() const { return splitV_; }
  double splitH() const { return splitH_; }

 signals:
  // The shutdown steps ran (not emitted for a discarded window).
  void Unloaded();
  // The help window of a help run was closed: the program ends.
  void HelpRunEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Ports ports_;
  ImageListMy images_;
  MainWindowControls ui_;
  MainState state_;
  DirectoryControls dir_;
  std::unique_ptr<frmHelpWindow> helpWindow_;
  std::string startupStoppedAt_;
  bool unloaded_ = false;
  double splitV_;
  double splitH_;
};

}  // namespace cvx
