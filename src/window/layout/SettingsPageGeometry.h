#pragma once

namespace cvx {

struct MainWindowControls;
class TwipsScale;

// Places the contents of the four settings frames, which must already have their size, and
// stretches the attribute frame to the height of page 1.
void ArrangeSettingsFrames(MainWindowControls& controls, const TwipsScale& t);

}  // namespace cvx
