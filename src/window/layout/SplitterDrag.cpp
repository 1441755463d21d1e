#include "window/layout/SplitterDrag.h"

#include <QFrame>
#include <QMainWindow>
#include <QMouseEvent>

#include "window/MainState.h"
#include "window/controls/MainWindowControls.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"

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

SplitterDrag::SplitterDrag(QMainWindow& window, const MainWindowControls& ui, PageState& pages,
                           std::function<void(double)> splitV, std::function<void(double)> splitH)
    : window_(window),
      ui_(ui),
      pages_(pages),
      splitV_(std::move(splitV)),
      splitH_(std::move(splitH)) {
  ui.imgSplitterV->installEventFilter(this);
  ui.imgSplitterH->installEventFilter(this);
}

bool SplitterDrag::eventFilter(QObject* watched, QEvent* event) {
  const MainWindowControls& ui = ui_;
  const bool vertical = watched == ui.imgSplitterV;
  if (!vertical && watched != ui.imgSplitterH) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      vertical ? MouseDownV() : MouseDownH();
      return true;
    case QEvent::MouseMove:
      if (pages_.SplitterMoving) {
        const auto& mouse = static_cast<const QMouseEvent&>(*event);
        vertical ? MouseMoveV(mouse) : MouseMoveH(mouse);
      }
      return true;
    case QEvent::MouseButtonRelease:
      // A release without a press here (the press went to another control) moves nothing.
      if (pages_.SplitterMoving) vertical ? MouseUpV() : MouseUpH();
      return true;
    default:
      return false;
  }
}

void SplitterDrag::MouseDownV() {
  const MainWindowControls& ui = ui_;
  const TwipsScale t(window_);
  const QFrame& strip = *ui.imgSplitterV;
  t.Move(*ui.picSplitterV, t.Left(strip), t.Top(strip), t.Width(strip) / 2.0,
         t.Height(strip) - kBarShortenV);
  ui.picSplitterV->raise();
  ui.picSplitterV->show();
  pages_.SplitterMoving = true;
}

void SplitterDrag::MouseMoveV(const QMouseEvent& event) {
  const MainWindowControls& ui = ui_;
  const TwipsScale t(window_);
  const double p = t.Left(*ui.imgSplitterV) + t.ToTwipsX(event.position().x()) - kBarOffsetV;
  t.SetLeft(*ui.picSplitterV, Limit(p, kMarginV, WindowWidthTwips(window_) - kMarginV));
}

void SplitterDrag::MouseUpV() {
  const MainWindowControls& ui = ui_;
  splitV_(TwipsScale(window_).Left(*ui.picSplitterV));
  ui.picSplitterV->hide();
  pages_.SplitterMoving = false;
}

void SplitterDrag::MouseDownH() {
  const MainWindowControls& ui = ui_;
  const TwipsScale t(window_);
  const QFrame& strip = *ui.imgSplitterH;
  t.Move(*ui.picSplitterH, t.Left(strip), t.Top(strip) - kBarRaiseH, t.Width(strip),
         t.Height(strip) / 2.0);
  ui.picSplitterH->raise();
  ui.picSplitterH->show();
  pages_.SplitterMoving = true;
}

void SplitterDrag::MouseMoveH(const QMouseEvent& event) {
  const MainWindowControls& ui = ui_;
  const TwipsScale t(window_);
  const double p = t.Top(*ui.imgSplitterH) + t.ToTwipsY(event.position().y());
  t.SetTop(*ui.picSplitterH, Limit(p, kMarginH, WindowHeightTwips(window_) - kMarginH));
}

void SplitterDrag::MouseUpH() {
  const MainWindowControls& ui = ui_;
  splitH_(TwipsScale(window_).Top(*ui.picSplitterH));
  ui.picSplitterH->hide();
  pages_.SplitterMoving = false;
}

}  // namespace cvx
