#pragma once

#include <string>

#include "settings/SettingsStore.h"

struct sqlite3;

namespace cvx {

// The settings store in an SQLite file, one table
//   settings(app TEXT, section TEXT, key TEXT, value TEXT, PRIMARY KEY(app, section, key))
// in WAL mode, so that two copies of the tool can read and write at once and a process that dies
// mid-write leaves the previous values whole.
//
// A file that cannot be opened or written, is not a database, or holds anything but that table is
// never changed: openStatus() says why (naming the file) and the store then reads as empty and
// writes nothing, so the tool runs on its defaults.
class SqliteSettingsStore final : public SettingsStore {
 public:
  // Creates the file and its folders when they are missing.
  explicit SqliteSettingsStore(std::string path);
  ~SqliteSettingsStore() override;
  SqliteSettingsStore(const SqliteSettingsStore&) = delete;
  SqliteSettingsStore& operator=(const SqliteSettingsStore&) = delete;

  const StoreStatus& openStatus() const { return openStatus_; }
  StoreStatus Status() const override { return openStatus_; }
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
  StoreStatus PrepareForWriting();
  StoreStatus Execute(const char* sql);
  StoreStatus Failure(std::string_view what) const;

  std::string path_;
  sqlite3* db_ = nullptr;
  StoreStatus openStatus_;
  int transactionDepth_ = 0;
  StoreStatus transactionStatus_;
};

}  // namespace cvx
