#pragma once

#include <QObject>

class QAction;
class QMainWindow;

namespace cvx {

class HelpBrowser;

// F1 in the main window opens the help window, or brings it to the front when it is open
// already: there is never more than one. The status bar's "Help" panel reaches it the same way.
class MainWindowHelp : public QObject {
  Q_OBJECT

 public:
  // Adds the F1 action to window.
  explicit MainWindowHelp(QMainWindow& window);

  // The action F1 triggers (objectName "actHelp").
  QAction* action() const { return action_; }
  // The help window, null until help was first asked for.
  HelpBrowser* browser() const { return browser_; }

  // Opens the help window, or brings it to the front.
  void Show();

 private:
  QMainWindow& window_;
  QAction* action_ = nullptr;
  HelpBrowser* browser_ = nullptr;
};

}  // namespace cvx
