#pragma once

namespace cvx {

// The window's layout is worked out in twips (1/1440 inch) so that stored splitter positions and
// window sizes mean the same on every screen; pixels appear only where a widget is placed.
inline constexpr double kTwipsPerInch = 1440.0;

// The dpi a screen that reports none is taken to have: 15 twips per pixel.
inline constexpr double kDefaultDpi = 96.0;

// Both round to the nearest whole unit, halves away from zero, so that a length converted to
// pixels and back lands on the same pixel again.
int TwipsToPixels(double twips, double dpi);
int PixelsToTwips(double pixels, double dpi);

}  // namespace cvx
