#include "directory/ldif/StringArena.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cvx {
namespace {

// Kept text must stay where it is while blocks fill up and long values get blocks of their own.
TEST(StringArena, KeptTextStaysValidAcrossBlocksAndLongValues) {
  StringArena arena;
  std::vector<std::pair<std::string, std::string_view>> kept;
  for (int i = 0; i < 20000; ++i) {
    std::string text = "value " + std::to_string(i);
    if (i % 5000 == 0) text += std::string(200000, static_cast<char>('a' + i % 26));
    kept.emplace_back(text, arena.Keep(text));
  }
  for (const auto& [text, view] : kept) ASSERT_EQ(view, text);
  EXPECT_TRUE(arena.Keep("").empty());
}

}  // namespace
}  // namespace cvx
