#include "window/frmMain.h"

#include <QCloseEvent>
#include <QLayout>

#include "window/menus/ActionMenuHandlers.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/database/DatabaseBuild.h"
#include "window/search/HistoryBox.h"
#include "window/layout/MainWindowHelp.h"
#include "window/layout/MainWindowResize.h"
#include "window/layout/PageSwitching.h"
#include "window/search/ResultsList.h"
#include "window/layout/SplitterDrag.h"
#include "window/layout/StatusBarEvents.h"
#include "window/search/TargetSearch.h"
#include "window/browsers/TreeBrowsers.h"
#include "window/browsers/TreeDoubleClickAction.h"
#include "window/layout/WindowGeometry.h"

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
  new SplitterDrag(*this);
  new StatusBarEvents(*this, (new MainWindowHelp(*this))->action());
  ConnectTreeBrowsers(*this);
  ConnectAttributeDisplay(*this);
  ConnectTargetSearch(*this);
  ConnectResultsList(*this);
  ConnectTreeDoubleClick(*this);
  ConnectDatabaseBuild(*this);
  ConnectActionMenus(*this);
  ResizeWindowTwips(*this, kDefaultWindowWidth, kDefaultWindowHeight);
}

frmMain::~frmMain() {
  // The handlers reach into the window's members. They go first, while those still stand: taking
  // the controls down afterwards sends events (focus, hide) that would otherwise reach them.
  const QObjectList kids = children();
  for (QObject* child : kids) {
    if (!child->isWidgetType() && child != layout()) delete child;
  }
}

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

void frmMain::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Form_Resize(*this);
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Minimizing and restoring need not resize the window, but each changes the caption.
  if (event->type() == QEvent::WindowStateChange) Form_Resize(*this);
}

}  // namespace cvx
