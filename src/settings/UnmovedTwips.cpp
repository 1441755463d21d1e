#include "settings/UnmovedTwips.h"

#include "core/Twips.h"

namespace cvx {

float UnmovedTwips(float loadedTwips, double currentTwips, double dpi) {
  if (TwipsToPixels(loadedTwips, dpi) == TwipsToPixels(currentTwips, dpi)) return loadedTwips;
  return static_cast<float>(currentTwips);
}

}  // namespace cvx
