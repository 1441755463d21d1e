#include "window/layout/WindowLayout.h"

#include <QComboBox>
#include <QMainWindow>

#include "window/MainState.h"
#include "window/controls/MainWindowControls.h"
#include "window/layout/MainWindowHelp.h"
#include "window/layout/SplitterDrag.h"
#include "window/layout/StatusBarEvents.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"

namespace cvx {

QString FullCaption(const std::string& treeName) {
  return QStringLiteral("Corvexa on ") + QString::fromStdString(treeName);
}

QString MinimizedCaption(const std::string& treeName) {
  return QStringLiteral("CVX on ") + QString::fromStdString(treeName);
}

WindowLayout::WindowLayout(QMainWindow& window, MainWindowControls& ui, PageState& pages,
                           const StartOptions& start)
    : window_(window),
      ui_(ui),
      pages_(pages),
      start_(start),
      help_(std::make_unique<MainWindowHelp>(window)),
      splitters_(std::make_unique<SplitterDrag>(
          window, ui, pages, [this](double x) { SizeControlsV(x); },
          [this](double y) { SizeControlsH(y); })),
      statusBar_(std::make_unique<StatusBarEvents>(window, *ui.StatusBar, ui.StatusPanel,
                                                   help_->action())) {
  pages_.splitV = kDefaultSplitV;
  pages_.splitH = kDefaultSplitH;
}

WindowLayout::~WindowLayout() = default;

void WindowLayout::Form_Resize() {
  const std::string& tree = start_.TreeName;
  if (window_.isMinimized()) {
    window_.setWindowTitle(MinimizedCaption(tree));
    return;
  }
  window_.setWindowTitle(FullCaption(tree));
  // As a minimum size the window manager keeps the window from getting narrower in the first
  // place; the check below catches a width that came some other way.
  const TwipsScale t(window_);
  window_.setMinimumWidth(t.ToPixelsX(kMinimumWindowWidth - kFrameWidthTwips));
  if (WindowWidthTwips(window_) < kMinimumWindowWidth)
    ResizeWindowTwips(window_, kMinimumWindowWidth, WindowHeightTwips(window_));
  ArrangeControls(ui_, window_, pages_.splitV, pages_.splitH);
  // Only while page 1 is in front: the focus must not go to a control that cannot be seen. Before
  // the window is first shown this marks the box to get the focus when the window does.
  if (ui_.ImageCombo1->isVisibleTo(&window_)) ui_.ImageCombo1->setFocus();
}

void WindowLayout::SizeControlsV(double x) {
  pages_.splitV = x;
  cvx::SizeControlsV(ui_, window_, x);
}

void WindowLayout::SizeControlsH(double y) {
  pages_.splitH = y;
  cvx::SizeControlsH(ui_, y);
}

}  // namespace cvx
