#include "core/Twips.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

TEST(TwipsTest, FifteenTwipsMakeOnePixelAtStandardDpi) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(8000, 96), 533);
  EXPECT_EQ(PixelsToTwips(96, 96), 1440);
  EXPECT_EQ(PixelsToTwips(1, 96), 15);
}

TEST(TwipsTest, ScalesWithTheScreensDpi) {
  EXPECT_EQ(TwipsToPixels(1440, 144), 144);
  EXPECT_EQ(TwipsToPixels(3000, 192), 400);
  EXPECT_EQ(PixelsToTwips(120, 120), 1440);
}

TEST(TwipsTest, RoundsToNearestHalvesAwayFromZero) {
  EXPECT_EQ(TwipsToPixels(7, 96), 0);    // 0.47
  EXPECT_EQ(TwipsToPixels(7.5, 96), 1);  // 0.5
  EXPECT_EQ(TwipsToPixels(22, 96), 1);   // 1.47
  EXPECT_EQ(TwipsToPixels(-7.5, 96), -1);
  EXPECT_EQ(TwipsToPixels(-22, 96), -1);
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

TEST(TwipsTest, ScreenWithoutDpiCountsAsStandard) {
  EXPECT_EQ(TwipsToPixels(1500, 0), 100);
  EXPECT_EQ(PixelsToTwips(100, -1), 1500);
}

}  // namespace
}  // namespace cvx
