#include "core/Twips.h"

#include <cmath>

namespace cvx {

namespace {
double UsableDpi(double dpi) {
  return dpi > 0.0 ? dpi : kDefaultDpi;
}
}  // namespace

int TwipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * UsableDpi(dpi) / kTwipsPerInch));
}

int PixelsToTwips(double pixels, double dpi) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / UsableDpi(dpi)));
}

}  // namespace cvx
