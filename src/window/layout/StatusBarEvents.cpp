#include "window/layout/StatusBarEvents.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>

namespace cvx {

StatusBarEvents::StatusBarEvents(QWidget& window, QStatusBar& bar,
                                 const std::array<QLabel*, 3>& panels, QAction* help)
    : window_(window), panels_(panels), help_(help) {
  // Without tracking, a move with no button down would never arrive.
  bar.setMouseTracking(true);
  bar.installEventFilter(this);
  for (std::size_t i = 1; i < panels_.size(); ++i) {
    panels_[i]->setMouseTracking(true);
    panels_[i]->installEventFilter(this);
  }
}

int StatusBarEvents::PanelOf(const QObject* watched) const {
  const auto& panels = panels_;
  for (std::size_t i = 1; i < panels.size(); ++i) {
    if (panels[i] == watched) return static_cast<int>(i);
  }
  return 0;
}

bool StatusBarEvents::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
      RaiseHelpPanel();
      return false;
    case QEvent::MouseButtonPress: {
      pressed_ = PanelOf(watched);
      if (pressed_) panels_[pressed_]->setFrameShadow(QFrame::Sunken);
      return pressed_ != 0;
    }
    case QEvent::MouseButtonRelease: {
      RaiseHelpPanel();
      const int panel = PanelOf(watched);
      const bool click = panel != 0 && panel == pressed_ &&
                         panels_[panel]->rect().contains(
                             static_cast<const QMouseEvent*>(event)->position().toPoint());
      pressed_ = 0;
      if (click) StatusBar_PanelClick(panel);
      return panel != 0;
    }
    default:
      return false;
  }
}

void StatusBarEvents::StatusBar_PanelClick(int panel) {
  panels_[panel]->setFrameShadow(QFrame::Sunken);
  if (panel == 1) SendF1();
}

void StatusBarEvents::RaiseHelpPanel() {
  panels_[1]->setFrameShadow(QFrame::Raised);
}

void StatusBarEvents::SendF1() {
  QWidget* target = window_.focusWidget() ? window_.focusWidget() : &window_;
  QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &release);
  // F1 acts as a shortcut only in the active window; a click on the panel of a window that is
  // not active yet still opens the help.
  if (!press.isAccepted() && help_) help_->trigger();
}

}  // namespace cvx
