#include "shell/MainProgram.h"

#include "shell/frmHelpWindow.h"

namespace cvx {

MainProgram::MainProgram(frmMain::Ports ports)
    : window_(std::make_unique<frmMain>(std::move(ports))) {}

MainProgram::~MainProgram() = default;

StartUpOutcome MainProgram::Load() {
  const StartUpOutcome outcome = window_->Load();
  if (outcome == StartUpOutcome::kHelpRun) {
    helpWindow_ = std::make_unique<frmHelpWindow>();
    // A dialog that is accepted only hides, which does not end the program by itself.
    connect(helpWindow_.get(), &QDialog::finished, this, &MainProgram::HelpRunEnded);
    helpWindow_->show();
  }
  return outcome;
}

}  // namespace cvx
