#include "window/frmMain.h"

#include <QCloseEvent>

#include "window/DatabaseBuild.h"
#include "window/HistoryBox.h"
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
  ConnectHistoryBox(*this);
  ConnectDatabaseBuild(*this);
  ResizeWindowTwips(*this, kDefaultWindowWidth, kDefaultWindowHeight);
}

frmMain::~frmMain() = default;

void frmMain::Unload() {
  if (unloaded_) return;
  emit Unloading();
  unloaded_ = true;
  hide();
  emit Unloaded();
}

void frmMain::Discard() {
  unloaded_ = true;
  hide();
}

void frmMain::ApplySplitV(double x) {
  splitV_ = x;
  SizeControlsV(ui_, *this, x);
}

void frmMain::ApplySplitH(double y) {
  splitH_ = y;
  SizeControlsH(ui_, y);
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
