#pragma once

#include <QObject>
#include <functional>

class QFrame;
class QMainWindow;
class QMouseEvent;

namespace cvx {

struct MainWindowControls;
struct PageState;

// Dragging the two splitters of page 1. Pressing on a grab strip (imgSplitterV, imgSplitterH)
// shows its drag bar (picSplitterV, picSplitterH) there; the bar follows the mouse within its
// limits; letting go moves the split to the bar and hides it. The vertical bar stays between 500
// and the window's width - 500, the horizontal one between 1500 and the window's height - 1500
// (twips). MainState::SplitterMoving is set for the length of a drag.
class SplitterDrag : public QObject {
  Q_OBJECT

 public:
  // Watches both grab strips; splitV and splitH move a split to where its bar was let go.
  SplitterDrag(QMainWindow& window, const MainWindowControls& ui, PageState& pages,
               std::function<void(double)> splitV, std::function<void(double)> splitH);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MouseDownV();
  void MouseMoveV(const QMouseEvent& event);
  void MouseUpV();
  void MouseDownH();
  void MouseMoveH(const QMouseEvent& event);
  void MouseUpH();

  QMainWindow& window_;
  const MainWindowControls& ui_;
  PageState& pages_;
  std::function<void(double)> splitV_;
  std::function<void(double)> splitH_;
};

}  // namespace cvx
