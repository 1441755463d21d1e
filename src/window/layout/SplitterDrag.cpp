#include "window/layout/SplitterDrag.h"

#include <QFrame>
#include <QMouseEvent>

#include "window/layout/SplitterPositions.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

// The vertical bar runs a little left of the mouse, the horizontal one starts a little above its
// strip, and the vertical one stops a little short of its strip's end.
constexpr double kBarOffsetV = 35;
constexpr double kBarRaiseH = 20;
constexpr double kBarShortenV = 20;

// How close to the window's edges a split may be dragged: the views beside it keep some room.
constexpr double kMarginV = 500;
constexpr double kMarginH = 1500;

// Keeps p within [low, high], testing low first.
double Limit(double p, double low, double high) {
  if (p < low) return low;
  if (p <= high) return p;
  return high;
}

}  // namespace

SplitterDrag::SplitterDrag(frmMain& w) : QObject(&w), w_(w) {
  w.ui().imgSplitterV->installEventFilter(this);
  w.ui().imgSplitterH->installEventFilter(this);
}

bool SplitterDrag::eventFilter(QObject* watched, QEvent* event) {
  const MainWindowControls& ui = w_.ui();
  const bool vertical = watched == ui.imgSplitterV;
  if (!vertical && watched != ui.imgSplitterH) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      vertical ? MouseDownV() : MouseDownH();
      return true;
    case QEvent::MouseMove:
      if (w_.state().SplitterMoving) {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        vertical ? MouseMoveV(mouse) : MouseMoveH(mouse);
      }
      return true;
    case QEvent::MouseButtonRelease:
      // A release without a press here (the press went to another control) moves nothing.
      if (w_.state().SplitterMoving) vertical ? MouseUpV() : MouseUpH();
      return true;
    default:
      return false;
  }
}

void SplitterDrag::MouseDownV() {
  const MainWindowControls& ui = w_.ui();
  const TwipsScale t(w_);
  const QFrame& strip = *ui.imgSplitterV;
  t.Move(*ui.picSplitterV, t.Left(strip), t.Top(strip), t.Width(strip) / 2.0,
         t.Height(strip) - kBarShortenV);
  ui.picSplitterV->raise();
  ui.picSplitterV->show();
  w_.state().SplitterMoving = true;
}

void SplitterDrag::MouseMoveV(const QMouseEvent& event) {
  const MainWindowControls& ui = w_.ui();
  const TwipsScale t(w_);
  const double p = t.Left(*ui.imgSplitterV) + t.ToTwipsX(event.position().x()) - kBarOffsetV;
  t.SetLeft(*ui.picSplitterV, Limit(p, kMarginV, WindowWidthTwips(w_) - kMarginV));
}

void SplitterDrag::MouseUpV() {
  const MainWindowControls& ui = w_.ui();
  SizeControlsV(w_, TwipsScale(w_).Left(*ui.picSplitterV));
  ui.picSplitterV->hide();
  w_.state().SplitterMoving = false;
}

void SplitterDrag::MouseDownH() {
  const MainWindowControls& ui = w_.ui();
  const TwipsScale t(w_);
  const QFrame& strip = *ui.imgSplitterH;
  t.Move(*ui.picSplitterH, t.Left(strip), t.Top(strip) - kBarRaiseH, t.Width(strip),
         t.Height(strip) / 2.0);
  ui.picSplitterH->raise();
  ui.picSplitterH->show();
  w_.state().SplitterMoving = true;
}

void SplitterDrag::MouseMoveH(const QMouseEvent& event) {
  const MainWindowControls& ui = w_.ui();
  const TwipsScale t(w_);
  const double p = t.Top(*ui.imgSplitterH) + t.ToTwipsY(event.position().y());
  t.SetTop(*ui.picSplitterH, Limit(p, kMarginH, WindowHeightTwips(w_) - kMarginH));
}

void SplitterDrag::MouseUpH() {
  const MainWindowControls& ui = w_.ui();
  SizeControlsH(w_, TwipsScale(w_).Top(*ui.picSplitterH));
  ui.picSplitterH->hide();
  w_.state().SplitterMoving = false;
}

}  // namespace cvx
