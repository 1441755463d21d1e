#include "core/KeyedItems.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

TEST(KeyedItems, KeepsOrderAndRefusesATakenKey) {
  KeyedItems<int> items;
  EXPECT_TRUE(items.Add("b", 1));
  EXPECT_TRUE(items.Add("a", 2));
  EXPECT_FALSE(items.Add("b", 3));
  EXPECT_TRUE(items.Add("B", 4));  // keys compare byte for byte
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].key, "b");
  EXPECT_EQ(items[0].item, 1);
  EXPECT_EQ(items[1].key, "a");
  EXPECT_EQ(items.IndexOf("B"), 2u);
  EXPECT_FALSE(items.IndexOf("c"));
  EXPECT_EQ(*items.Find("a"), 2);
  EXPECT_EQ(items.Find("c"), nullptr);

  *items.Find("a") = 5;
  int sum = 0;
  for (const auto& e : items) sum += e.item;
  EXPECT_EQ(sum, 10);

  items.Clear();
  EXPECT_TRUE(items.empty());
  EXPECT_FALSE(items.Contains("b"));
  EXPECT_TRUE(items.Add("b", 6));  // a cleared key is free again
}

}  // namespace
}  // namespace cvx
