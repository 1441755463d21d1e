#pragma once

#include <QString>
#include <string>

namespace cvx {

class frmMain;

// The narrowest the main window may be, in twips; there is no lowest height.
inline constexpr double kMinimumWindowWidth = 3000;

// The caption of the window in its normal state, and the short one it has while minimized.
QString FullCaption(const std::string& treeName);
QString MinimizedCaption(const std::string& treeName);

// The window's resize handler, also run when its state changes. Minimized: only the short
// caption. Otherwise the full caption, the minimum width, every control placed for the new size
// with the splits where they were, and the focus in the history box when page 1 is in front.
void Form_Resize(frmMain& w);

}  // namespace cvx
