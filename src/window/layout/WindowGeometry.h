#pragma once

class QMainWindow;

namespace cvx {

struct MainWindowControls;

// Lengths in twips. A first start places the window at this size with the splitters here.
inline constexpr double kDefaultWindowWidth = 8000;
inline constexpr double kDefaultWindowHeight = 7000;
inline constexpr double kDefaultSplitV = 3000;
inline constexpr double kDefaultSplitH = 5000;

// The layout formulas and the stored window size count the window with a classic frame: borders
// of 60 on each side and a caption that makes the frame 400 high in all. Window managers draw
// frames of every size, or none, so the window's own client area plus this fixed allowance is
// taken as its size; that keeps stored sizes and the layout the same under any of them.
inline constexpr double kFrameWidthTwips = 120;
inline constexpr double kFrameHeightTwips = 400;

int WindowWidthTwips(const QMainWindow& window);
int WindowHeightTwips(const QMainWindow& window);
void ResizeWindowTwips(QMainWindow& window, double width, double height);

// Places every control for the window's current size, then the vertical split at splitV and the
// horizontal split at splitH (both relative to page 1). A control for which the window leaves no
// room gets a width or height of 0.
void ArrangeControls(MainWindowControls& controls, QMainWindow& window, double splitV,
                     double splitH);

// The vertical split at x: the browser ends at x, the attribute view and the results list start
// just right of it and reach to the window's right edge. Neither function clamps: stored
// positions are applied as they are, even beyond the window, and the views on the far side of
// such a split get a width (or height) of 0 while the split stays where it was put.
void SizeControlsV(MainWindowControls& controls, const QMainWindow& window, double x);

// The horizontal split at y: the attribute view ends at y, the results list fills the rest.
void SizeControlsH(MainWindowControls& controls, double y);

}  // namespace cvx
