#pragma once

#include <QObject>
#include <memory>

#include "window/frmMain.h"

namespace cvx {

class frmHelpWindow;

// The program around the main window: builds the window from its ports, runs its start-up, and
// owns the help window of a help run. The run's mode follows from how start-up ended.
class MainProgram : public QObject {
  Q_OBJECT

 public:
  explicit MainProgram(frmMain::Ports ports);
  ~MainProgram() override;

  // Start-up; a help run leaves only the help window, shown.
  StartUpOutcome Load();

  frmMain& window() { return *window_; }
  frmHelpWindow* helpWindow() const { return helpWindow_.get(); }

 signals:
  // The help window of a help run was closed: the program ends.
  void HelpRunEnded();

 private:
  std::unique_ptr<frmMain> window_;
  std::unique_ptr<frmHelpWindow> helpWindow_;
};

}  // namespace cvx
