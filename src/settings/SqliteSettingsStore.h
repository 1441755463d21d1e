#pragma once

#include <optional>
#include <string>

#include "settings/SettingsStore.h"

struct sqlite3;

namespace cvx {

// The settings store in an SQLite file, one table
//   settings(app TEXT, section TEXT, key TEXT, value TEXT, PRIMARY KEY(app, section, key))
// in WAL mode, so that two copies of the tool can read and write at once and a process that dies
// mid-write leaves the previous values whole.
//
// A file that cannot be opened, is not a database, or holds anything but that table is never
// changed: ReadStatus() and openStatus() say why (naming the file) and the store then reads as
// empty and writes nothing, so the tool runs on its defaults. A file that can be read but not
// written (read-only, or locked by another writer past the busy wait) still gives its values;
// openStatus() says why it takes no writes.
class SqliteSettingsStore final : public SettingsStore {
 public:
  // Creates the file and its folders when they are missing.
  explicit SqliteSettingsStore(std::string path);
  ~SqliteSettingsStore() override;
  SqliteSettingsStore(const SqliteSettingsStore&) = delete;
  SqliteSettingsStore& operator=(const SqliteSettingsStore&) = delete;

  // Whether the store can be read and written; the first call that needs writing makes the file
  // ready for it (and may wait out another writer's lock).
  StoreStatus openStatus() const;
  StoreStatus Status() const override { return openStatus(); }
  StoreStatus ReadStatus() const override;
  bool usable() const { return db_ != nullptr; }
  const std::string& path() const { return path_; }

  std::string ReadValue(std::string_view section, std::string_view key,
                        std::string_view fallback) const override;
  std::vector<NamedValue> ReadSection(std::string_view section) const override;
  StoreStatus WriteValue(std::string_view section, std::string_view key,
                         std::string_view value) override;
  StoreStatus DeleteSection(std::string_view section) override;
  StoreStatus Transaction(const std::function<void()>& writes) override;

 private:
  StoreStatus Open();
  StoreStatus CheckShape();
  StoreStatus PrepareForWriting() const;
  StoreStatus Execute(const char* sql) const;
  // readable: the values can still be read, only writing fails.
  StoreStatus Failure(std::string_view what, bool readable = false) const;
  void NoteReadFailure(int rc) const;

  std::string path_;
  sqlite3* db_ = nullptr;
  StoreStatus readStatus_;
  mutable std::optional<StoreStatus> writeStatus_;
  mutable StoreStatus readFailure_;
  mutable bool hasTable_ = false;  // a new file has none until the first write makes it
  int transactionDepth_ = 0;
  StoreStatus transactionStatus_;
};

}  // namespace cvx
