#include "settings/SettingsNumbers.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

TEST(SettingsNumbers, ParsesDecimalsAndFormatsWholeNumbersPlain) {
  EXPECT_EQ(ParseSingle(" +1e3 "), 1000.0f);
  for (const char* bad : {"", "12px", "0x10", "nan", "inf", "1e39", "1,5"}) {
    EXPECT_FALSE(ParseSingle(bad)) << bad;
  }
  EXPECT_EQ(FormatSingle(1000), "1000");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(2775.25f), "2775.25");
  for (float v : {0.1f, 1.0f / 3, -9.87654e-7f, 16777217.0f, 3.0e38f, 999999999.0f, 1e9f}) {
    EXPECT_EQ(ParseSingle(FormatSingle(v)), v) << FormatSingle(v);
  }
}

}  // namespace
}  // namespace cvx
