#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "StoreTestFolder.h"
#include "core/OwnAction.h"
#include "settings/HistoryStore.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "settings/StoredSettingsIo.h"

namespace cvx {
namespace {

// The catalogue's codes, as a window with the extended actions performs them.
bool CatalogueCode(std::string_view code) {
  return IsPerformableAction(code, true, {});
}

constexpr int kRounds = 200;

// One copy of the tool: waits for the start signal, then saves settings and adds history entries
// in turns. Exits with the number of saves that failed; lost history shows in the count after.
[[noreturn]] void RunCopy(const std::string& file, int copy, int startFd) {
  char go;
  const bool started = read(startFd, &go, 1) == 1;
  SqliteSettingsStore store(file);
  int failures = started && store.openStatus().ok ? 0 : 100;
  HistoryItems entries;
  for (int i = 0; i < kRounds; ++i) {
    StoredSettings values = LoadStoredSettings(store, "T", CatalogueCode).values;
    values.Left = static_cast<float>(copy * 10000 + i);
    values.Top = values.Left;
    values.InventoryServer = std::to_string(copy * 10000 + i);
    if (!SaveStoredSettings(store, "T", values, false).ok) ++failures;
    const std::string name = "NDS:\\\\T\\O\\C" + std::to_string(copy) + "N" + std::to_string(i);
    AddHistory(entries, store, "T", name, name, "User");
  }
  _exit(failures);
}

TEST(SettingsStoreConcurrency, TwoCopiesWritingAtOnceLoseNothing) {
  StoreTestFolder folder;
  const std::string file = folder.StorePath();
  int start[2];
  ASSERT_EQ(pipe(start), 0);
  pid_t copies[2];
  for (int copy = 0; copy < 2; ++copy) {
    copies[copy] = fork();
    ASSERT_GE(copies[copy], 0);
    if (copies[copy] == 0) {
      close(start[1]);
      RunCopy(file, copy, start[0]);
    }
  }
  close(start[0]);
  ASSERT_EQ(write(start[1], "gg", 2), 2);  // both start together
  close(start[1]);
  for (pid_t pid : copies) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed writes in copy " << pid;
  }

  EXPECT_EQ(RawQuery(file, "PRAGMA integrity_check"), "ok");
  SqliteSettingsStore store(file);
  EXPECT_EQ(LoadHistory(store, "T").size(), 2u * kRounds);
  // Each save is whole: every value comes from the same one of the two last saves.
  const StoredSettings last = LoadStoredSettings(store, "T", CatalogueCode).values;
  EXPECT_TRUE(last.Left == kRounds - 1 || last.Left == 10000 + kRounds - 1) << last.Left;
  EXPECT_EQ(last.Top, last.Left);
  EXPECT_EQ(last.InventoryServer, std::to_string(static_cast<int>(last.Left)));
}

TEST(SettingsStoreConcurrency, CopyKilledInTheMiddleOfASaveLeavesTheOldValues) {
  StoreTestFolder folder;
  const std::string file = folder.StorePath();
  {
    SqliteSettingsStore store(file);
    StoredSettings values;
    values.Left = 111;
    SaveStoredSettings(store, "T", values, false);
  }
  int midway[2];
  ASSERT_EQ(pipe(midway), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(midway[0]);
    SqliteSettingsStore store(file);
    store.Transaction([&] {
      store.WriteValue(SettingsSection("T"), "Left", "999");
      store.WriteValue(SettingsSection("T"), "Top", "999");
      // Enough to spill pages to the log before the end of the transaction.
      for (int i = 0; i < 5000; ++i) {
        store.WriteValue(HistorySection("T"), std::string(500, 'x') + std::to_string(i), "");
      }
      const auto told = write(midway[1], "m", 1);
      pause();  // killed here
      _exit(static_cast<int>(told));
    });
    _exit(1);
  }
  close(midway[1]);
  char mark;
  ASSERT_EQ(read(midway[0], &mark, 1), 1);
  close(midway[0]);
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);

  SqliteSettingsStore store(file);
  ASSERT_TRUE(store.openStatus().ok) << store.openStatus().message;
  EXPECT_EQ(store.ReadValue(SettingsSection("T"), "Left", ""), "111");
  EXPECT_EQ(store.ReadValue(SettingsSection("T"), "Top", ""), "1000");
  EXPECT_TRUE(store.ReadSection(HistorySection("T")).empty());
  EXPECT_EQ(RawQuery(file, "PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace cvx
