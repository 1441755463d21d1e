#include "window/frmMain.h"

#include <QCloseEvent>

#include "shell/Shutdown.h"
#include "shell/StartUp.h"
#include "shell/frmHelpWindow.h"
#include "window/PageSwitching.h"
#include "window/WindowGeometry.h"

namespace cvx {

frmMain::frmMain(Ports ports, QWidget* parent)
    : QMainWindow(parent),
      ports_(std::move(ports)),
      ui_(BuildMainWindowControls(this)),
      splitV_(kDefaultSplitV),
      splitH_(kDefaultSplitH) {
  setObjectName(QStringLiteral("frmMain"));
  ConnectPageSwitching(ui_, state_.ActiveTab, state_.ActiveSettingsTab);
  ResizeWindowTwips(*this, kDefaultWindowWidth, kDefaultWindowHeight);
}

frmMain::~frmMain() = default;

frmMain::LoadOutcome frmMain::Load() {
  return RunStartUp(*this);
}

void frmMain::Unload() {
  if (unloaded_) return;
  RunShutdown(*this);
  unloaded_ = true;
  hide();
  emit Unloaded();
}

void frmMain::Discard() {
  unloaded_ = true;
  hide();
}

void frmMain::ShowHelpWindow() {
  helpWindow_ = std::make_unique<frmHelpWindow>();
  // A dialog that is accepted only hides, which does not end the program by itself.
  connect(helpWindow_.get(), &QDialog::finished, this, &frmMain::HelpRunEnded);
  helpWindow_->show();
}

void frmMain::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ArrangeControls(ui_, *this, splitV_, splitH_);
}

}  // namespace cvx
