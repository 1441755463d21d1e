#include "core/Validation.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

TEST(BlankScore, OnlyBlankTextsScoreTheirLength) {
  EXPECT_EQ(BlankScore("   "), 3.0f);
  EXPECT_EQ(BlankScore(""), 0.0f);
  EXPECT_EQ(BlankScore("@"), 2.0f);  // 64 / 32: one character, not blank
  for (const char* blank : {"", " ", "   ", "          "}) EXPECT_FALSE(IsSearchableText(blank));
  for (const char* name : {"j", " jsmith", "@", "WS 01", "M\xC3\xBCller"})
    EXPECT_TRUE(IsSearchableText(name)) << name;
}

}  // namespace
}  // namespace cvx
