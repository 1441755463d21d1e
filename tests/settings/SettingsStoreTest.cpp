#include <gtest/gtest.h>

#include "StoreTestFolder.h"
#include "settings/SqliteSettingsStore.h"

namespace cvx {
namespace {

// What handlers rely on: defaults for what is missing, keys in the order first written, sections
// apart, any text kept whole.
class SettingsStoreRules : public testing::Test {
 protected:
  StoreTestFolder folder;
  SqliteSettingsStore real{folder.StorePath()};
  SettingsStore* store = &real;
};

TEST_F(SettingsStoreRules, ReadsDefaultsAndKeepsFirstWrittenOrder) {
  EXPECT_EQ(store->ReadValue("Settings\\T", "Left", "1000"), "1000");
  EXPECT_TRUE(store->ReadSection("Settings\\T").empty());

  EXPECT_TRUE(store->WriteValue("S\\T", "b", "1").ok);
  EXPECT_TRUE(store->WriteValue("S\\T", "a", "2").ok);
  EXPECT_TRUE(store->WriteValue("S\\T", "c", "3").ok);
  EXPECT_TRUE(store->WriteValue("S\\T", "b", "4").ok);  // rewritten, stays first
  EXPECT_TRUE(store->WriteValue("S\\U", "a", "5").ok);
  EXPECT_EQ(store->ReadSection("S\\T"),
            (std::vector<NamedValue>{{"b", "4"}, {"a", "2"}, {"c", "3"}}));
  EXPECT_EQ(store->ReadValue("S\\T", "b", "x"), "4");
  EXPECT_EQ(store->ReadValue("S\\T", "B", "x"), "x");  // keys compare exactly
}

TEST_F(SettingsStoreRules, DeletesOneSectionOnly) {
  store->WriteValue("History\\A", "k", "");
  store->WriteValue("History\\B", "k", "");
  EXPECT_TRUE(store->DeleteSection("History\\A").ok);
  EXPECT_TRUE(store->DeleteSection("History\\A").ok);  // already gone
  EXPECT_TRUE(store->ReadSection("History\\A").empty());
  EXPECT_EQ(store->ReadSection("History\\B").size(), 1u);

  // A key written again after the delete goes to the end.
  store->WriteValue("S", "x", "1");
  store->WriteValue("S", "y", "2");
  store->Transaction([&] {
    store->DeleteSection("S");
    store->WriteValue("S", "y", "2");
    store->WriteValue("S", "x", "1");
  });
  EXPECT_EQ(store->ReadSection("S"), (std::vector<NamedValue>{{"y", "2"}, {"x", "1"}}));
}

TEST_F(SettingsStoreRules, KeepsAnyTextWhole) {
  const std::string section = "History\\Tr\xC3\xA9\"e";
  const std::string key =
      "NDS:\\\\T\\O'Brien;\"x\"\\Gr\xC3\xBC\xC3\x9F"
      "e;User";
  store->WriteValue(section, key, "");
  store->WriteValue(section, "with\nnewline", "multi\r\nline");
  EXPECT_EQ(store->ReadSection(section),
            (std::vector<NamedValue>{{key, ""}, {"with\nnewline", "multi\r\nline"}}));
  EXPECT_EQ(store->ReadValue(section, key, "missing"), "");  // empty text is a value
}

}  // namespace
}  // namespace cvx
