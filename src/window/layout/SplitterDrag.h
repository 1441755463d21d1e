#pragma once

#include <QObject>

class QFrame;
class QMouseEvent;

namespace cvx {

class frmMain;

// Dragging the two splitters of page 1. Pressing on a grab strip (imgSplitterV, imgSplitterH)
// shows its drag bar (picSplitterV, picSplitterH) there; the bar follows the mouse within its
// limits; letting go moves the split to the bar and hides it. The vertical bar stays between 500
// and the window's width - 500, the horizontal one between 1500 and the window's height - 1500
// (twips). MainState::SplitterMoving is set for the length of a drag.
class SplitterDrag : public QObject {
  Q_OBJECT

 public:
  // Watches both grab strips of w; owned by w.
  explicit SplitterDrag(frmMain& w);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MouseDownV();
  void MouseMoveV(const QMouseEvent& event);
  void MouseUpV();
  void MouseDownH();
  void MouseMoveH(const QMouseEvent& event);
  void MouseUpH();

  frmMain& w_;
};

}  // namespace cvx
