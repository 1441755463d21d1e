#include "window/layout/MainWindowHelp.h"

#include <QAction>
#include <QMainWindow>

#include "window/layout/HelpBrowser.h"

namespace cvx {

MainWindowHelp::MainWindowHelp(QMainWindow& window) : window_(window) {
  setObjectName(QStringLiteral("MainWindowHelp"));
  action_ = new QAction(QStringLiteral("Help"), &window);
  action_->setObjectName(QStringLiteral("actHelp"));
  action_->setShortcut(QKeySequence(Qt::Key_F1));
  // Wherever the focus is in the main window, but not in the windows it opens.
  action_->setShortcutContext(Qt::WindowShortcut);
  window.addAction(action_);
  connect(action_, &QAction::triggered, this, &MainWindowHelp::Show);
}

void MainWindowHelp::Show() {
  if (!browser_) browser_ = new HelpBrowser(&window_);
  browser_->setWindowState(browser_->windowState() & ~Qt::WindowMinimized);
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

}  // namespace cvx
