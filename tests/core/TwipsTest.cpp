#include "core/Twips.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

// 1440 twips to the inch; a screen without a dpi counts as 96 dpi; halves round away from zero.
TEST(TwipsTest, ConvertAtTheScreensDpiRoundingHalvesAwayFromZero) {
  struct Case {
    double twips, dpi;
    int pixels;
  };
  for (const Case& c : {Case{1440, 96, 96}, Case{8000, 96, 533}, Case{1440, 144, 144},
                        Case{3000, 192, 400}, Case{1500, 0, 100}, Case{7, 96, 0}, Case{7.5, 96, 1},
                        Case{22, 96, 1}, Case{-7.5, 96, -1}, Case{-22, 96, -1}}) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
  EXPECT_EQ(PixelsToTwips(1, 96), 15);
  EXPECT_EQ(PixelsToTwips(120, 120), 1440);
  EXPECT_EQ(PixelsToTwips(100, -1), 1500);
}

TEST(TwipsTest, PixelsSurviveTheRoundTripAtAnyDpi) {
  // Stored positions are read back from placed widgets; a drift of one pixel per save and
  // restore would walk a splitter across the window over many runs.
  for (double dpi : {72.0, 96.0, 110.0, 120.0, 144.0, 157.5, 192.0}) {
    for (int px = -50; px <= 2000; ++px) {
      ASSERT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << "dpi " << dpi;
    }
  }
}

}  // namespace
}  // namespace cvx
