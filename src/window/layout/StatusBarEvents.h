#pragma once

#include <QObject>
#include <array>

class QAction;
class QLabel;
class QMouseEvent;
class QStatusBar;
class QWidget;

namespace cvx {

// The status bar's panels as buttons. A click on a panel gives it an inset bevel; a click on
// panel 1 ("Help") sends F1 to the window. Moving the mouse over the status bar or releasing a
// button on it gives panel 1 its raised bevel back.
class StatusBarEvents : public QObject {
  Q_OBJECT

 public:
  // Watches the window's status bar and its panels. help is what F1 triggers, run directly
  // when the F1 sent finds nothing to take it (the window not yet the active one).
  StatusBarEvents(QWidget& window, QStatusBar& bar, const std::array<QLabel*, 3>& panels,
                  QAction* help);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int PanelOf(const QObject* watched) const;
  void StatusBar_PanelClick(int panel);
  void RaiseHelpPanel();
  void SendF1();

  QWidget& window_;
  std::array<QLabel*, 3> panels_;
  QAction* help_;
  int pressed_ = 0;  // the panel a button went down on, 0 for none
};

}  // namespace cvx
