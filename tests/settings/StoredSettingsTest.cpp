#include "settings/StoredSettingsIo.h"

#include <gtest/gtest.h>

#include "StoreTestFolder.h"
#include "core/OwnAction.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "settings/UnmovedTwips.h"

namespace cvx {
namespace {

// The catalogue's codes, as a window with the extended actions performs them.
bool CatalogueCode(std::string_view code) {
  return IsPerformableAction(code, true, {});
}
// Without the extended actions and own actions, only Remote Control.
bool NoActionButRC(std::string_view code) {
  return IsPerformableAction(code, false, {});
}

class StoredSettingsTest : public testing::Test {
 protected:
  // A start and a close of the tool with tree, writing back what it read.
  std::vector<NamedValue> Cycle(std::string_view tree, bool minimized = false) {
    SqliteSettingsStore store(folder.StorePath());
    const LoadedSettings loaded = LoadStoredSettings(store, tree, CatalogueCode);
    StoredSettings values = loaded.values;
    values.CurrentContext = ReadCurrentContext(store, tree, "NDS:\\\\" + std::string(tree));
    EXPECT_TRUE(SaveStoredSettings(store, tree, values, minimized).ok);
    return store.ReadSection(SettingsSection(tree));
  }

  void Write(std::string_view tree, std::string_view key, std::string_view value) {
    SqliteSettingsStore(folder.StorePath()).WriteValue(SettingsSection(tree), key, value);
  }

  StoreTestFolder folder;
};

// The defaults are StoredSettings{}; a close writes every key, in the order the section has
// always had.
TEST_F(StoredSettingsTest, FirstStartGivesDefaultsAndCloseWritesEveryKeyInOrder) {
  SqliteSettingsStore store(folder.StorePath());
  const LoadedSettings loaded = LoadStoredSettings(store, "CORP", CatalogueCode);
  EXPECT_EQ(loaded.values, StoredSettings{});
  EXPECT_TRUE(loaded.bad.empty());
  EXPECT_EQ(ReadCurrentContext(store, "CORP", "NDS:\\\\CORP"), "NDS:\\\\CORP");

  ASSERT_TRUE(SaveStoredSettings(store, "CORP", loaded.values, false).ok);
  std::vector<std::string> keys;
  for (const auto& v : store.ReadSection(SettingsSection("CORP"))) keys.push_back(v.name);
  EXPECT_EQ(keys,
            (std::vector<std::string>{
                "Left", "Top", "Height", "Width", "SplitV", "SplitH", "NDSColumn1", "NDSColumn2",
                "ZW Server", "Search for Aliases", "Search Subordinates", "Append to Existing DB",
                "Remote Action", "Current Context", "SearchAnchor", "Inventory Server"}));
  EXPECT_EQ(LoadStoredSettings(store, "CORP", CatalogueCode).values, StoredSettings{});
}

TEST_F(StoredSettingsTest, ValuesComeBackAndRepeatedRunsChangeNothing) {
  StoredSettings saved;
  saved.Left = -1234.5f;
  saved.Top = 0.1f;
  saved.Height = 6015;
  saved.Width = 9000;
  saved.SplitV = 2775.25f;
  saved.SplitH = 4000;
  saved.NDSColumn1 = 750;
  saved.NDSColumn2 = 1e12f;
  saved.SearchSubordinates = 1;
  saved.SearchForAliases = 0;
  saved.AppendToExistingDB = 0;
  saved.SearchAnchor = "NDS:\\\\CORP\\ACME\\SALES";
  saved.InventoryServer = "inv.acme.example";
  saved.RemoteAction = "RI";
  saved.ZWServer = "FS2";
  saved.CurrentContext = "NDS:\\\\CORP\\ACME";
  {
    SqliteSettingsStore store(folder.StorePath());
    ASSERT_TRUE(SaveStoredSettings(store, "CORP", saved, false).ok);
    StoredSettings back = LoadStoredSettings(store, "CORP", CatalogueCode).values;
    back.CurrentContext = ReadCurrentContext(store, "CORP", "");
    EXPECT_EQ(back, saved);
  }
  // Hand-written texts included: a run that moves nothing leaves every byte as it was.
  Write("CORP", "Top", " 1000.0");
  Write("CORP", "Search for Aliases", "1.0");
  const auto first = Cycle("CORP");
  EXPECT_EQ(Cycle("CORP"), first);
  EXPECT_EQ(Cycle("CORP"), first);
  SqliteSettingsStore store(folder.StorePath());
  EXPECT_EQ(store.ReadValue(SettingsSection("CORP"), "Top", ""), " 1000.0");
}

TEST_F(StoredSettingsTest, MinimizedKeepsGeometryButRepairsBadValues) {
  Write("T", "Left", "1500");
  Write("T", "Width", "wide");
  SqliteSettingsStore store(folder.StorePath());
  StoredSettings values = LoadStoredSettings(store, "T", CatalogueCode).values;
  EXPECT_EQ(values.Width, 8000);
  values.Left = values.Top = values.Height = values.SplitV = values.NDSColumn1 = 0;  // minimized
  values.ZWServer = "FS1";
  ASSERT_TRUE(SaveStoredSettings(store, "T", values, true).ok);
  const std::string section = SettingsSection("T");
  EXPECT_EQ(store.ReadValue(section, "Left", "-"), "1500");
  EXPECT_EQ(store.ReadValue(section, "Width", "-"), "8000");
  EXPECT_EQ(store.ReadValue(section, "Top", "-"), "-");  // never stored, still not
  EXPECT_EQ(store.ReadValue(section, "NDSColumn1", "-"), "-");
  EXPECT_EQ(store.ReadValue(section, "ZW Server", "-"), "FS1");
}

TEST_F(StoredSettingsTest, BadStoredValuesCountAsMissing) {
  Write("T", "Left", "12abc");
  Write("T", "Height", "");
  Write("T", "SplitH", "1e99");
  Write("T", "Top", "+250");
  Write("T", "Search Subordinates", "2");
  Write("T", "Search for Aliases", "0.5");
  Write("T", "Append to Existing DB", "-1");
  SqliteSettingsStore store(folder.StorePath());
  const LoadedSettings loaded = LoadStoredSettings(store, "T", CatalogueCode);
  StoredSettings expected;
  expected.Top = 250;
  EXPECT_EQ(loaded.values, expected);
  std::vector<std::string> keys;
  for (const auto& bad : loaded.bad) keys.push_back(bad.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"Left", "Height", "SplitH", "Search Subordinates",
                                            "Search for Aliases", "Append to Existing DB"}));
  EXPECT_EQ(DescribeBadSetting("T", loaded.bad[0]),
            "cvx: the stored setting \"Left\" of \"Settings\\T\" is not usable (\"12abc\"); "
            "its default is used and written at exit.");

  ASSERT_TRUE(SaveStoredSettings(store, "T", loaded.values, false).ok);
  EXPECT_TRUE(LoadStoredSettings(store, "T", CatalogueCode).bad.empty());
  EXPECT_EQ(store.ReadValue(SettingsSection("T"), "Left", ""), "1000");
}

TEST_F(StoredSettingsTest, RemoteActionNeedsExtendedActionsAndAKnownCode) {
  Write("T", "Remote Action", "RV");
  SqliteSettingsStore store(folder.StorePath());
  EXPECT_EQ(LoadStoredSettings(store, "T", CatalogueCode).values.RemoteAction, "RV");

  // Without the extended actions the stored code is not read, and "RC" goes back at exit.
  const StoredSettings without = LoadStoredSettings(store, "T", NoActionButRC).values;
  EXPECT_EQ(without.RemoteAction, "RC");
  SaveStoredSettings(store, "T", without, false);
  EXPECT_EQ(store.ReadValue(SettingsSection("T"), "Remote Action", ""), "RC");

  for (const char* unknown : {"XX", "rc", "", " RV"}) {
    store.WriteValue(SettingsSection("T"), "Remote Action", unknown);
    const LoadedSettings loaded = LoadStoredSettings(store, "T", CatalogueCode);
    EXPECT_EQ(loaded.values.RemoteAction, "RC") << unknown;
    EXPECT_TRUE(loaded.bad.empty());
  }
}

TEST_F(StoredSettingsTest, TreesKeepSeparateSettings) {
  SqliteSettingsStore store(folder.StorePath());
  StoredSettings a;
  a.Left = 15;
  a.ZWServer = "FS1";
  SaveStoredSettings(store, "ALPHA", a, false);
  EXPECT_EQ(LoadStoredSettings(store, "ALPHA", CatalogueCode).values, a);
  EXPECT_EQ(LoadStoredSettings(store, "BETA", CatalogueCode).values, StoredSettings{});
  EXPECT_EQ(ReadCurrentContext(store, "BETA", "NDS:\\\\BETA"), "NDS:\\\\BETA");
}

TEST(UnmovedTwips, KeepsTheLoadedValueWhileThePixelIsTheSame) {
  // 1000 twips sit on pixel 67 at 96 dpi, which reads back as 1005.
  EXPECT_EQ(UnmovedTwips(1000, 1005, 96), 1000);
  EXPECT_EQ(UnmovedTwips(1000, 1020, 96), 1020);
  EXPECT_EQ(UnmovedTwips(2775.25f, 2775, 144), 2775.25f);
  EXPECT_EQ(UnmovedTwips(2775.25f, 2790, 144), 2790);
}

}  // namespace
}  // namespace cvx
