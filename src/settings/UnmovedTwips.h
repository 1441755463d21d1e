#pragma once

namespace cvx {

// The twips value to store for a length the window read at start-up as loadedTwips and reports
// at exit as currentTwips, at the screen's dpi. A stored length is placed on whole pixels, so
// 1000 twips come back as 1005 at 96 dpi; when the length still lands on the same pixel it was
// not moved, and the loaded value is kept, so that runs that move nothing never drift.
float UnmovedTwips(float loadedTwips, double currentTwips, double dpi);

}  // namespace cvx
