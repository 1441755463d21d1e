#include "window/layout/MainWindowResize.h"

#include <QComboBox>

#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"
#include "window/frmMain.h"

namespace cvx {

QString FullCaption(const std::string& treeName) {
  return QStringLiteral("Corvexa on ") + QString::fromStdString(treeName);
}

QString MinimizedCaption(const std::string& treeName) {
  return QStringLiteral("CVX on ") + QString::fromStdString(treeName);
}

void Form_Resize(frmMain& w) {
  const std::string& tree = w.state().TreeName;
  if (w.isMinimized()) {
    w.setWindowTitle(MinimizedCaption(tree));
    return;
  }
  w.setWindowTitle(FullCaption(tree));

  // As a minimum size the window manager keeps the window from getting narrower in the first
  // place; the check below catches a width that came some other way.
  const TwipsScale t(w);
  w.setMinimumWidth(t.ToPixelsX(kMinimumWindowWidth - kFrameWidthTwips));
  if (WindowWidthTwips(w) < kMinimumWindowWidth)
    ResizeWindowTwips(w, kMinimumWindowWidth, WindowHeightTwips(w));

  MainWindowControls& ui = w.ui();
  ArrangeControls(ui, w, w.splitV(), w.splitH());
  // Only while page 1 is in front: the focus must not go to a control that cannot be seen. Before
  // the window is first shown this marks the box to get the focus when the window does.
  if (ui.ImageCombo1->isVisibleTo(&w)) ui.ImageCombo1->setFocus();
}

}  // namespace cvx
