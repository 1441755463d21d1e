#include "settings/HistoryStore.h"

#include <gtest/gtest.h>

#include "StoreTestFolder.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"

namespace cvx {
namespace {

class HistoryStoreTest : public testing::Test {
 protected:
  std::vector<std::string> Keys(const HistoryItems& items) {
    std::vector<std::string> keys;
    for (const auto& e : items) keys.push_back(e.key);
    return keys;
  }

  StoreTestFolder folder;
  SqliteSettingsStore store{folder.StorePath()};
};

TEST_F(HistoryStoreTest, AddsOnceInOrderAndComesBackAfterARestart) {
  HistoryItems box;
  const std::string jsmith = "NDS:\\\\CORP\\ACME\\SALES\\JSMITH";
  const std::string ws = "NDS:\\\\CORP\\ACME\\WS01";
  EXPECT_TRUE(AddHistory(box, store, "CORP", jsmith, jsmith, "User"));
  EXPECT_TRUE(AddHistory(box, store, "CORP", ws, ws, "Workstation"));
  EXPECT_FALSE(AddHistory(box, store, "CORP", jsmith, jsmith, "User"));
  EXPECT_FALSE(AddHistory(box, store, "CORP", "NDS:\\\\CORP\\S1", "NDS:\\\\CORP\\S1",
                          "NCP Server"));  // no picture
  EXPECT_EQ(Keys(box), (std::vector<std::string>{jsmith, ws}));
  EXPECT_EQ(*box.Find(jsmith), (HistoryEntry{"JSMITH.SALES.ACME", "User"}));
  EXPECT_EQ(store.ReadSection(HistorySection("CORP")),
            (std::vector<NamedValue>{{jsmith + ";User", ""}, {ws + ";Workstation", ""}}));

  // Semicolons, quotes, doubled backslashes and letters beyond ASCII come back as they were.
  const std::string odd = "NDS:\\\\CORP\\Sales; East\\O'Brien \"Jr\"\\x\\\\M\xC3\xBCnchen;SMITH";
  EXPECT_TRUE(AddHistory(box, store, "CORP", odd, odd, "User"));

  SqliteSettingsStore restarted(folder.StorePath());
  const HistoryItems loaded = LoadHistory(restarted, "CORP");
  EXPECT_EQ(Keys(loaded), (std::vector<std::string>{jsmith, ws, odd}));
  EXPECT_EQ(loaded[1].item, (HistoryEntry{"WS01.ACME", "Workstation"}));
}

TEST_F(HistoryStoreTest, MalformedValuesAreSkippedAndKept) {
  const std::string section = HistorySection("T");
  store.WriteValue(section, "NDS:\\\\T\\A;User", "");
  store.WriteValue(section, "NDS:\\\\T\\no-class", "");
  store.WriteValue(section, "NDS:\\\\T\\B;Printer", "");
  store.WriteValue(section, ";User", "");
  store.WriteValue(section, "NDS:\\\\T\\A;Workstation", "");  // same name, second class
  store.WriteValue(section, "NDS:\\\\T\\C;Alias", "ignored data");
  const HistoryItems loaded = LoadHistory(store, "T");
  EXPECT_EQ(Keys(loaded), (std::vector<std::string>{"NDS:\\\\T\\A", "NDS:\\\\T\\C"}));
  EXPECT_EQ(loaded[0].item.className, "User");
  EXPECT_EQ(store.ReadSection(section).size(), 6u);
}

TEST_F(HistoryStoreTest, PurgeRemovesOnlyTheCurrentTree) {
  HistoryItems alpha;
  HistoryItems beta;
  AddHistory(alpha, store, "ALPHA", "NDS:\\\\ALPHA\\A", "NDS:\\\\ALPHA\\A", "User");
  AddHistory(beta, store, "BETA", "NDS:\\\\BETA\\B", "NDS:\\\\BETA\\B", "User");
  EXPECT_EQ(Keys(LoadHistory(store, "ALPHA")), (std::vector<std::string>{"NDS:\\\\ALPHA\\A"}));

  EXPECT_TRUE(PurgeHistory(alpha, store, "ALPHA").ok);
  EXPECT_TRUE(alpha.empty());
  EXPECT_TRUE(store.ReadSection(HistorySection("ALPHA")).empty());
  EXPECT_EQ(LoadHistory(store, "BETA").size(), 1u);
  EXPECT_TRUE(PurgeHistory(alpha, store, "ALPHA").ok);  // nothing left to purge

  EXPECT_TRUE(AddHistory(alpha, store, "ALPHA", "NDS:\\\\ALPHA\\Z", "NDS:\\\\ALPHA\\Z", "User"));
  EXPECT_EQ(Keys(LoadHistory(store, "ALPHA")), (std::vector<std::string>{"NDS:\\\\ALPHA\\Z"}));
}

}  // namespace
}  // namespace cvx
