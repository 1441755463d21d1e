#include "settings/SqliteSettingsStore.h"

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "StoreTestFolder.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsStorePath.h"

namespace cvx {
namespace {

TEST(SettingsStorePath, FollowsXdgConfigHome) {
  EXPECT_EQ(SettingsStorePath("/x/cfg", "/home/u"), "/x/cfg/corvexa/settings.sqlite3");
  EXPECT_EQ(SettingsStorePath(nullptr, "/home/u"), "/home/u/.config/corvexa/settings.sqlite3");
  EXPECT_EQ(SettingsStorePath("", "/home/u"), "/home/u/.config/corvexa/settings.sqlite3");
  EXPECT_EQ(SettingsStorePath("rel/cfg", "/home/u"), "/home/u/.config/corvexa/settings.sqlite3");
  EXPECT_EQ(SettingsStorePath(nullptr, nullptr), "");
}

TEST(SqliteSettingsStore, CreatesFoldersAndTheAgreedTable) {
  StoreTestFolder folder;
  {
    SqliteSettingsStore store(folder.StorePath());
    ASSERT_TRUE(store.openStatus().ok) << store.openStatus().message;
    store.WriteValue("Settings\\T", "Left", "1000");
  }
  const std::string file = folder.StorePath();
  EXPECT_EQ(RawQuery(file, "SELECT sql FROM sqlite_master WHERE name = 'settings'"),
            "CREATE TABLE settings(app TEXT, section TEXT, key TEXT, value TEXT, "
            "PRIMARY KEY(app, section, key))");
  EXPECT_EQ(RawQuery(file, "PRAGMA journal_mode"), "wal");
  EXPECT_EQ(RawQuery(file,
                     "SELECT app || '|' || section || '|' || key || '|' || value "
                     "FROM settings"),
            "Corvexa|Settings\\T|Left|1000");
  // Reopening a store of the right shape is no error, and the probe left no row behind.
  SqliteSettingsStore again(file);
  EXPECT_TRUE(again.openStatus().ok) << again.openStatus().message;
  EXPECT_EQ(RawQuery(file, "SELECT count(*) FROM settings"), "1");
}

// A store that is not ours is reported naming the file, never changed, and read as empty.
void ExpectRefused(const std::string& file, const std::string& why) {
  const std::string before = FileBytes(file);
  {
    SqliteSettingsStore store(file);
    EXPECT_FALSE(store.openStatus().ok) << why;
    EXPECT_NE(store.openStatus().message.find(file), std::string::npos)
        << store.openStatus().message;
    EXPECT_FALSE(store.usable());
    EXPECT_EQ(store.ReadValue("Settings\\T", "Left", "1000"), "1000");
    EXPECT_TRUE(store.ReadSection("Settings\\T").empty());
    EXPECT_FALSE(store.WriteValue("Settings\\T", "Left", "5").ok);
    EXPECT_FALSE(store.Transaction([] { ADD_FAILURE() << "ran on a refused store"; }).ok);
    EXPECT_FALSE(store.DeleteSection("Settings\\T").ok);
  }
  EXPECT_EQ(FileBytes(file), before) << why;
}

TEST(SqliteSettingsStore, RefusesFilesThatAreNotItsStore) {
  StoreTestFolder folder;
  std::filesystem::create_directories(folder.StoreFolder());
  const std::string file = folder.StorePath();

  std::string garbage(3000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
  std::ofstream(file, std::ios::binary) << garbage;
  ExpectRefused(file, "garbage");
  EXPECT_NE(SqliteSettingsStore(file).openStatus().message.find("not a database"),
            std::string::npos);

  std::filesystem::remove(file);
  RawQuery(file,
           "CREATE TABLE settings(app TEXT, section TEXT, key TEXT, value TEXT, "
           "extra INT, PRIMARY KEY(app, section, key)); "
           "INSERT INTO settings VALUES('Corvexa', 'Settings\\T', 'Left', '1', 0)");
  ExpectRefused(file, "extra column");

  std::filesystem::remove(file);
  RawQuery(file,
           "CREATE TABLE settings(app TEXT, section TEXT, key TEXT, value TEXT, "
           "PRIMARY KEY(app, section, key)) WITHOUT ROWID");
  ExpectRefused(file, "without rowid");

  std::filesystem::remove(file);
  RawQuery(file, "CREATE TABLE notes(body TEXT); INSERT INTO notes VALUES('keep me')");
  ExpectRefused(file, "someone else's database");
}

// Runs the check in a child that cannot write the folder: as root, permissions do not hold, so
// the child becomes "nobody" first. Returns what went wrong, empty when all held.
std::string InReadOnlyFolder(const StoreTestFolder& folder,
                             std::string (*check)(const std::string& file)) {
  int out[2];
  if (pipe(out) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(out[0]);
    std::string problem;
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (nobody == nullptr || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) {
        problem = "cannot become nobody";
      }
    }
    if (problem.empty()) problem = check(folder.StorePath());
    const auto written = write(out[1], problem.data(), problem.size());
    _exit(written == static_cast<ssize_t>(problem.size()) ? 0 : 1);
  }
  close(out[1]);
  std::string problem;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) problem.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return problem;
}

// A store that cannot be written is reported; one that is there still gives its values.
template <int kExpectedLeft>
std::string RefusesWritesAndReads(const std::string& file) {
  SqliteSettingsStore store(file);
  if (store.openStatus().ok) return "opened for writing";
  if (store.openStatus().message.find(file) == std::string::npos) return "unnamed";
  const std::string left = store.ReadValue("Settings\\T", "Left", "1000");
  if (left != std::to_string(kExpectedLeft)) return "misread";
  if (std::filesystem::exists(file) && !store.ReadStatus().ok) return "read refused";
  if (store.WriteValue("Settings\\T", "Left", "5").ok) return "wrote";
  return "";
}

TEST(SqliteSettingsStore, ReadOnlyFolderIsReportedAndStoredValuesStillRead) {
  const auto check = RefusesWritesAndReads<1000>;
  StoreTestFolder folder;
  std::filesystem::create_directories(folder.StoreFolder());
  chmod(folder.path.c_str(), 0755);
  chmod(folder.StoreFolder().c_str(), 0555);
  EXPECT_EQ(InReadOnlyFolder(folder, check), "") << "no store yet";
  EXPECT_FALSE(std::filesystem::exists(folder.StorePath()));

  // A store that is there, with a rollback journal: writing needs a file beside it.
  chmod(folder.StoreFolder().c_str(), 0755);
  SqliteSettingsStore(folder.StorePath()).WriteValue("Settings\\T", "Left", "1");
  RawQuery(folder.StorePath(), "PRAGMA journal_mode=DELETE");
  chmod(folder.StorePath().c_str(), 0666);
  chmod(folder.StoreFolder().c_str(), 0555);
  const std::string before = FileBytes(folder.StorePath());
  EXPECT_EQ(InReadOnlyFolder(folder, RefusesWritesAndReads<1>), "") << "existing store";
  EXPECT_EQ(FileBytes(folder.StorePath()), before);
}

}  // namespace
}  // namespace cvx

namespace cvx {
namespace {

// Another process writing (WAL) does not keep the stored values from this one; a config folder
// where the store's folder cannot be made is reported before anything is lost.
TEST(SqliteSettingsStore, AWriteLockDoesNotStopReading) {
  StoreTestFolder folder;
  const std::string file = folder.StorePath();
  ASSERT_TRUE(SqliteSettingsStore(file).WriteValue("Settings\\T", "Remote Action", "RV").ok);
  sqlite3* writer = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &writer), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  {
    SqliteSettingsStore store(file);
    EXPECT_EQ(store.ReadValue("Settings\\T", "Remote Action", "RC"), "RV");
    EXPECT_TRUE(store.ReadStatus().ok) << store.ReadStatus().message;
  }
  sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(writer);

  StoreTestFolder unwritable;  // the store's folder not made yet, and it cannot be
  chmod(unwritable.path.c_str(), 0555);
  EXPECT_EQ(InReadOnlyFolder(unwritable,
                             [](const std::string& file) -> std::string {
                               const LazySettingsStore store(file);
                               if (store.Status().ok) return "not reported";
                               if (!store.ReadStatus().ok) return "read refused";
                               return "";
                             }),
            "");
}

}  // namespace
}  // namespace cvx
