// The settings store, and a tree's settings and history in it: every key and every faulty value.
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/OwnAction.h"
#include "settings/HistoryStore.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsNumbers.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStorePath.h"
#include "settings/SqliteSettingsStore.h"
#include "settings/StoredSettingsIo.h"
#include "settings/UnmovedTwips.h"
#include "support/TempFolder.h"
#include "support/UnprivilegedScope.h"

namespace cvx {
namespace {

// A folder standing in for XDG_CONFIG_HOME.
struct StoreTestFolder : test::TempFolder {
  std::string StoreFolder() const { return *this / "corvexa"; }
  std::string StorePath() const { return StoreFolder() + "/settings.sqlite3"; }
  std::string StoreBytes() const { return Read("corvexa/settings.sqlite3"); }
};

// Runs SQL on its own connection; the first column of the last row, or "error".
std::string RawQuery(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string result = "error";
  sqlite3_open(file.c_str(), &db);
  sqlite3_exec(
      db, sql.c_str(),
      [](void* out, int, char** values, char**) {
        *static_cast<std::string*>(out) = values[0] ? values[0] : "";
        return 0;
      },
      &result, nullptr);
  sqlite3_close(db);
  return result;
}

using Values = std::vector<NamedValue>;

TEST(SettingsStorePath, FollowsXdgConfigHome) {
  const std::string home = "/home/u/.config/corvexa/settings.sqlite3";
  EXPECT_EQ(SettingsStorePath("/x/cfg", "/home/u"), "/x/cfg/corvexa/settings.sqlite3");
  for (const char* config : {static_cast<const char*>(nullptr), "", "rel/cfg"}) {
    EXPECT_EQ(SettingsStorePath(config, "/home/u"), home);
  }
  EXPECT_EQ(SettingsStorePath(nullptr, nullptr), "");
}

// Defaults for what is missing, keys in the order first written, any text whole.
TEST(SqliteSettingsStore, KeepsFirstWrittenOrderSectionsApartAndAnyTextWhole) {
  StoreTestFolder folder;
  SqliteSettingsStore store(folder.StorePath());
  ASSERT_TRUE(store.openStatus().ok) << store.openStatus().message;
  EXPECT_EQ(store.ReadValue("S\\T", "Left", "1000"), "1000");
  for (const auto& [key, value] : {std::pair{"b", "1"}, {"a", "2"}, {"c", "3"}, {"b", "4"}}) {
    EXPECT_TRUE(store.WriteValue("S\\T", key, value).ok);
  }
  store.WriteValue("S\\U", "a", "5");
  EXPECT_EQ(store.ReadSection("S\\T"), (Values{{"b", "4"}, {"a", "2"}, {"c", "3"}}));
  EXPECT_EQ(store.ReadValue("S\\T", "B", "x"), "x");  // keys compare exactly
  // Written again after a delete, a key goes to the end.
  store.Transaction([&] {
    EXPECT_TRUE(store.DeleteSection("S\\T").ok);
    store.WriteValue("S\\T", "c", "1");
    store.WriteValue("S\\T", "b", "2");
  });
  EXPECT_EQ(store.ReadSection("S\\T"), (Values{{"c", "1"}, {"b", "2"}}));
  EXPECT_TRUE(store.DeleteSection("S\\V").ok);  // nothing to delete

  const std::string section = "History\\Tr\xC3\xA9\"e";
  const std::string key = "NDS:\\\\T\\O'Brien;\"x\"\\Gr\xC3\xBC\xC3\x9F\nUser";
  store.WriteValue(section, key, "multi\r\nline");
  store.WriteValue(section, "empty", "");
  EXPECT_EQ(store.ReadSection(section), (Values{{key, "multi\r\nline"}, {"empty", ""}}));
  EXPECT_EQ(store.ReadValue(section, "empty", "missing"), "");  // empty text is a value
  const std::string file = folder.StorePath();
  EXPECT_EQ(RawQuery(file, "SELECT sql FROM sqlite_master WHERE name = 'settings'"),
            "CREATE TABLE settings(app TEXT, section TEXT, key TEXT, value TEXT, "
            "PRIMARY KEY(app, section, key))");
  EXPECT_EQ(RawQuery(file, "PRAGMA journal_mode"), "wal");
  EXPECT_EQ(RawQuery(file, "SELECT app || '|' || value FROM settings WHERE key = 'a'"),
            "Corvexa|5");
  // Reopened: no error, and the probe leaves no row behind.
  EXPECT_TRUE(SqliteSettingsStore(file).openStatus().ok);
  EXPECT_EQ(RawQuery(file, "SELECT count(*) FROM settings"), "5");
  // Another process writing (WAL) does not keep the stored values from this one.
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  SqliteSettingsStore reader(file);
  EXPECT_EQ(reader.ReadValue("S\\U", "a", "-"), "5");
  EXPECT_TRUE(reader.ReadStatus().ok) << reader.ReadStatus().message;
  sqlite3_close(writer);
}

// A file that is not the store is reported naming it, read as empty, and never changed.
TEST(SqliteSettingsStore, RefusesFilesThatAreNotItsStore) {
  StoreTestFolder folder;
  std::filesystem::create_directories(folder.StoreFolder());
  const std::string file = folder.StorePath();
  std::string garbage(3000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
  const std::string table = "CREATE TABLE settings(app TEXT, section TEXT, key TEXT, value TEXT, ";
  for (const std::string& sql :
       {std::string(),
        table + "extra INT, PRIMARY KEY(app, section, key)); "
                "INSERT INTO settings VALUES('Corvexa', 'Settings\\T', 'Left', '1', 0)",
        table + "PRIMARY KEY(app, section, key)) WITHOUT ROWID",
        std::string("CREATE TABLE notes(body TEXT); INSERT INTO notes VALUES('keep me')")}) {
    std::filesystem::remove(file);
    sql.empty() ? (void)folder.Write("corvexa/settings.sqlite3", garbage)
                : (void)RawQuery(file, sql);
    const std::string before = folder.StoreBytes();
    {
      SqliteSettingsStore store(file);
      EXPECT_FALSE(store.openStatus().ok) << sql;
      EXPECT_NE(store.openStatus().message.find(file), std::string::npos);
      EXPECT_TRUE(!sql.empty() ||
                  store.openStatus().message.find("not a database") != std::string::npos);
      EXPECT_FALSE(store.usable());
      EXPECT_EQ(store.ReadValue("Settings\\T", "Left", "1000"), "1000");
      EXPECT_TRUE(store.ReadSection("Settings\\T").empty());
      EXPECT_FALSE(store.WriteValue("Settings\\T", "Left", "5").ok);
      EXPECT_FALSE(store.Transaction([] { ADD_FAILURE() << "ran on a refused store"; }).ok);
      EXPECT_FALSE(store.DeleteSection("Settings\\T").ok);
    }
    EXPECT_EQ(folder.StoreBytes(), before) << sql;
  }
}

// A folder the store cannot be written in is reported naming the file; a store that is there
// (with a rollback journal, which needs a file beside it to write) still gives its values.
TEST(SqliteSettingsStore, AReadOnlyFolderIsReportedAndStoredValuesStillRead) {
  StoreTestFolder folder;
  const std::string file = folder.StorePath();
  std::filesystem::create_directories(folder.StoreFolder());
  ::chmod(folder.path().c_str(), 0755);
  for (const std::string left : {"1000", "1"}) {
    if (left == "1") {
      ::chmod(folder.StoreFolder().c_str(), 0755);
      SqliteSettingsStore(file).WriteValue("Settings\\T", "Left", "1");
      RawQuery(file, "PRAGMA journal_mode=DELETE");
      ::chmod(file.c_str(), 0666);
    }
    ::chmod(folder.StoreFolder().c_str(), 0555);
    const std::string before = folder.StoreBytes();
    test::UnprivilegedScope nobody;
    if (nobody.failed()) GTEST_SKIP() << "permissions do not apply";
    SqliteSettingsStore store(file);
    EXPECT_NE(store.openStatus().message.find(file), std::string::npos);
    EXPECT_EQ(store.ReadValue("Settings\\T", "Left", "1000"), left);
    EXPECT_TRUE(store.ReadStatus().ok || left == "1000") << store.ReadStatus().message;
    EXPECT_FALSE(store.WriteValue("Settings\\T", "Left", "5").ok);
    EXPECT_EQ(folder.StoreBytes(), before);
  }
  // A store's folder that cannot be made is said before anything is lost (asked with the real
  // user's rights, so a child is "nobody" through and through).
  ::chmod(folder.path().c_str(), 0555);
  const pid_t child = fork();
  if (child == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() == 0 && (!nobody || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
      _exit(2);
    const LazySettingsStore lazy(folder / "sub/corvexa/settings.sqlite3");
    _exit(!lazy.Status().ok && lazy.ReadStatus().ok ? 0 : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(status, 0);
}

using Strings = std::vector<std::string>;

bool CatalogueCode(std::string_view code) {
  return IsPerformableAction(code, true, {});
}

class StoredSettingsTest : public testing::Test {
 protected:
  // A start and a close of the tool, writing back what it read.
  std::vector<NamedValue> Cycle() {
    StoredSettings values = LoadStoredSettings(store, "T", CatalogueCode).values;
    values.CurrentContext = ReadCurrentContext(store, "T", "NDS:\\\\T");
    EXPECT_TRUE(SaveStoredSettings(store, "T", values, false).ok);
    return store.ReadSection(SettingsSection("T"));
  }
  void Write(std::string_view key, std::string_view value) {
    store.WriteValue(SettingsSection("T"), key, value);
  }
  std::string Stored(std::string_view key) {
    return store.ReadValue(SettingsSection("T"), key, "-");
  }

  StoreTestFolder folder;
  SqliteSettingsStore store{folder.StorePath()};
};

// A close writes every key, in the order the section has always had, and reads them back.
TEST_F(StoredSettingsTest, ACloseWritesEveryKeyInItsOrderAndValuesComeBack) {
  EXPECT_EQ(ReadCurrentContext(store, "T", "NDS:\\\\T"), "NDS:\\\\T");
  Cycle();
  Strings keys;
  for (const auto& v : store.ReadSection(SettingsSection("T"))) keys.push_back(v.name);
  EXPECT_EQ(keys, (Strings{"Left", "Top", "Height", "Width", "SplitV", "SplitH", "NDSColumn1",
                           "NDSColumn2", "ZW Server", "Search for Aliases", "Search Subordinates",
                           "Append to Existing DB", "Remote Action", "Current Context",
                           "SearchAnchor", "Inventory Server"}));
  EXPECT_EQ(LoadStoredSettings(store, "T", CatalogueCode).values, StoredSettings{});

  // Every field unlike its default, in the order of StoredSettings.
  const StoredSettings saved{-1234.5f, 0.1f, 6015,  9000,
                             2775.25f, 4000, 750,   1e12f,
                             1,        0,    0,     "NDS:\\\\CORP\\ACME\\SALES",
                             "inv",    "RI", "FS2", "NDS:\\\\CORP\\ACME"};
  ASSERT_TRUE(SaveStoredSettings(store, "T", saved, false).ok);
  StoredSettings back = LoadStoredSettings(store, "T", CatalogueCode).values;
  back.CurrentContext = ReadCurrentContext(store, "T", "");
  EXPECT_EQ(back, saved);
  EXPECT_EQ(LoadStoredSettings(store, "U", CatalogueCode).values, StoredSettings{});

  // Hand-written texts included: a run that moves nothing leaves every byte as it was.
  Write("Top", " 1000.0");
  Write("Search for Aliases", "1.0");
  const auto first = Cycle();
  EXPECT_EQ(Cycle(), first);
  EXPECT_EQ(Stored("Top"), " 1000.0");
}

TEST_F(StoredSettingsTest, MinimizedKeepsTheGeometryButRepairsBadValues) {
  Write("Left", "1500");
  Write("Width", "wide");
  StoredSettings values = LoadStoredSettings(store, "T", CatalogueCode).values;
  EXPECT_EQ(values.Width, 8000);
  values.Left = values.Top = values.Height = values.SplitV = values.NDSColumn1 = 0;  // minimized
  values.ZWServer = "FS1";
  ASSERT_TRUE(SaveStoredSettings(store, "T", values, true).ok);
  EXPECT_EQ(Stored("Left"), "1500");
  EXPECT_EQ(Stored("Width"), "8000");
  EXPECT_EQ(Stored("Top"), "-");  // never stored, still not
  EXPECT_EQ(Stored("ZW Server"), "FS1");
}

TEST_F(StoredSettingsTest, BadStoredValuesCountAsMissingAndAreRepairedAtExit) {
  for (const auto& [key, text] : {std::pair{"Left", "12abc"},
                                  {"Height", ""},
                                  {"SplitH", "1e99"},
                                  {"Top", "+250"},
                                  {"Search Subordinates", "2"},
                                  {"Search for Aliases", "0.5"},
                                  {"Append to Existing DB", "-1"}}) {
    Write(key, text);
  }
  const LoadedSettings loaded = LoadStoredSettings(store, "T", CatalogueCode);
  StoredSettings expected;
  expected.Top = 250;
  EXPECT_EQ(loaded.values, expected);
  ASSERT_EQ(loaded.bad.size(), 6u);  // all but "Top"
  EXPECT_EQ(DescribeBadSetting("T", loaded.bad[0]),
            "cvx: the stored setting \"Left\" of \"Settings\\T\" is not usable (\"12abc\"); "
            "its default is used and written at exit.");
  ASSERT_TRUE(SaveStoredSettings(store, "T", loaded.values, false).ok);
  EXPECT_TRUE(LoadStoredSettings(store, "T", CatalogueCode).bad.empty());
  EXPECT_EQ(Stored("Left"), "1000");
}

// Without the extended actions the stored code is not read; an unknown one is no fault.
TEST_F(StoredSettingsTest, TheRemoteActionMustBeOneTheWindowCanPerform) {
  Write("Remote Action", "RV");
  EXPECT_EQ(LoadStoredSettings(store, "T", CatalogueCode).values.RemoteAction, "RV");
  const auto onlyRC = [](std::string_view code) { return IsPerformableAction(code, false, {}); };
  SaveStoredSettings(store, "T", LoadStoredSettings(store, "T", onlyRC).values, false);
  EXPECT_EQ(Stored("Remote Action"), "RC");
  Write("Remote Action", " RV");
  const LoadedSettings loaded = LoadStoredSettings(store, "T", CatalogueCode);
  EXPECT_EQ(loaded.values.RemoteAction, "RC");
  EXPECT_TRUE(loaded.bad.empty());
}

TEST(SettingsNumbers, DecimalsReadAndWholeNumbersWrittenPlain) {
  EXPECT_EQ(ParseSingle(" +1e3 "), 1000.0f);
  for (const char* bad : {"0x10", "nan", "1,5"}) EXPECT_FALSE(ParseSingle(bad)) << bad;
  for (float v : {0.1f, 1.0f / 3, -9.87654e-7f, 16777217.0f, 3.0e38f, 999999999.0f, 1e9f}) {
    EXPECT_EQ(ParseSingle(FormatSingle(v)), v) << FormatSingle(v);
  }
  // The loaded value stays while it is on the pixel shown (1000 twips: pixel 67, read as 1005).
  EXPECT_EQ(UnmovedTwips(1000, 1005, 96), 1000);
  EXPECT_EQ(UnmovedTwips(1000, 1020, 96), 1020);
}

// Values another tool wrote that are no history entry are passed over and left as they are.
TEST_F(StoredSettingsTest, MalformedHistoryValuesAreSkippedAndKept) {
  for (const char* name : {"NDS:\\\\T\\A;User", "NDS:\\\\T\\no-class", "NDS:\\\\T\\B;Printer",
                           ";User", "NDS:\\\\T\\A;Workstation", "NDS:\\\\T\\C;Alias"}) {
    store.WriteValue(HistorySection("T"), name, "");
  }
  const HistoryItems loaded = LoadHistory(store, "T");
  ASSERT_EQ(loaded.size(), 2u);
  EXPECT_EQ(loaded[0].key, "NDS:\\\\T\\A");
  EXPECT_EQ(loaded[0].item, (HistoryEntry{"A", "User"}));
  EXPECT_EQ(loaded[1].key, "NDS:\\\\T\\C");
  EXPECT_EQ(store.ReadSection(HistorySection("T")).size(), 6u);
}

constexpr int kRounds = 200;

// One copy of the tool saving settings and adding history; exits with the saves that failed.
[[noreturn]] void RunCopy(const std::string& file, int copy) {
  SqliteSettingsStore store(file);
  int failures = store.openStatus().ok ? 0 : 100;
  HistoryItems entries;
  for (int i = 0; i < kRounds; ++i) {
    StoredSettings values = LoadStoredSettings(store, "T", CatalogueCode).values;
    values.Left = values.Top = static_cast<float>(copy * 10000 + i);
    values.InventoryServer = std::to_string(copy * 10000 + i);
    if (!SaveStoredSettings(store, "T", values, false).ok) ++failures;
    const std::string name = "NDS:\\\\T\\O\\C" + std::to_string(copy) + "N" + std::to_string(i);
    AddHistory(entries, store, "T", name, name, "User");
  }
  _exit(failures);
}

TEST_F(StoredSettingsTest, TwoCopiesWritingAtOnceLoseNothing) {
  const std::string file = folder.StorePath();
  pid_t copies[2];
  for (int copy = 0; copy < 2; ++copy) {
    if ((copies[copy] = fork()) == 0) RunCopy(file, copy);
  }
  for (pid_t pid : copies) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "failed writes in " << pid;
  }
  EXPECT_EQ(RawQuery(file, "PRAGMA integrity_check"), "ok");
  SqliteSettingsStore after(file);
  EXPECT_EQ(LoadHistory(after, "T").size(), 2u * kRounds);
  // Each save is whole: every value comes from the same one of the two last saves.
  const StoredSettings last = LoadStoredSettings(after, "T", CatalogueCode).values;
  EXPECT_TRUE(last.Left == kRounds - 1 || last.Left == 10000 + kRounds - 1) << last.Left;
  EXPECT_EQ(last.Top, last.Left);
  EXPECT_EQ(last.InventoryServer, std::to_string(static_cast<int>(last.Left)));
}

// The values of the save before stay whole, however far the killed one got.
TEST_F(StoredSettingsTest, ACopyKilledInTheMiddleOfASaveLeavesTheOldValues) {
  Write("Left", "111");
  int midway[2];
  ASSERT_EQ(pipe(midway), 0);
  const pid_t child = fork();
  if (child == 0) {
    SqliteSettingsStore copy(folder.StorePath());
    copy.Transaction([&] {
      copy.WriteValue(SettingsSection("T"), "Left", "999");
      // Enough to spill pages to the log before the end of the transaction.
      for (int i = 0; i < 5000; ++i) {
        copy.WriteValue(HistorySection("T"), std::string(500, 'x') + std::to_string(i), "");
      }
      if (write(midway[1], "m", 1) == 1) pause();
    });
    _exit(1);
  }
  char mark;
  ASSERT_EQ(read(midway[0], &mark, 1), 1);  // the copy is in the middle of its save
  kill(child, SIGKILL);
  ASSERT_EQ(waitpid(child, nullptr, 0), child);
  SqliteSettingsStore again(folder.StorePath());
  EXPECT_EQ(again.ReadSection(SettingsSection("T")), (std::vector<NamedValue>{{"Left", "111"}}));
  EXPECT_TRUE(again.ReadSection(HistorySection("T")).empty());
  EXPECT_EQ(RawQuery(folder.StorePath(), "PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace cvx
