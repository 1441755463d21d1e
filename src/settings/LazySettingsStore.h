#pragma once

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "settings/SqliteSettingsStore.h"

namespace cvx {

// Whether files can be made in folder, or, where it is missing, in the nearest folder above it
// that exists (where it would be made).
inline bool IsWritableFolder(std::filesystem::path folder) {
  std::error_code ec;
  while (!folder.empty() && !std::filesystem::exists(folder, ec)) {
    if (folder == folder.parent_path()) break;
    folder = folder.parent_path();
  }
  return folder.empty() || ::access(folder.c_str(), W_OK) == 0;
}

// The SQLite store, opened on first use, and created only by the first write: runs that never
// write settings (the help window, an unattended build that closes by itself, a directory that
// cannot be opened) leave no file behind. Until the file exists, reads find nothing.
class LazySettingsStore final : public SettingsStore {
 public:
  explicit LazySettingsStore(std::string path) : path_(std::move(path)) {}

  std::string ReadValue(std::string_view section, std::string_view key,
                        std::string_view fallback) const override {
    if (!Opened()) return std::string(fallback);
    return Store().ReadValue(section, key, fallback);
  }
  std::vector<NamedValue> ReadSection(std::string_view section) const override {
    if (!Opened()) return {};
    return Store().ReadSection(section);
  }
  StoreStatus WriteValue(std::string_view section, std::string_view key,
                         std::string_view value) override {
    return Store().WriteValue(section, key, value);
  }
  StoreStatus DeleteSection(std::string_view section) override {
    if (!Opened()) return StoreStatus::Ok();  // nothing stored, nothing to delete
    return Store().DeleteSection(section);
  }
  StoreStatus Transaction(const std::function<void()>& writes) override {
    return Store().Transaction(writes);
  }
  // A store that could not be written later is found out now, while the run can still say so:
  // no path at all, or a folder that takes no files (the store's own, or where it would be made).
  StoreStatus Status() const override {
    if (Opened()) return Store().openStatus();
    if (path_.empty() || !IsWritableFolder(std::filesystem::path(path_).parent_path())) {
      return Store().openStatus();
    }
    return StoreStatus::Ok();
  }
  // No file yet: nothing stored, and nothing that could not be read.
  StoreStatus ReadStatus() const override {
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec)) return StoreStatus::Ok();
    return Opened() ? Store().ReadStatus() : StoreStatus::Ok();
  }

 private:
  // Opens the store when its file exists; a missing file stays missing until a write.
  bool Opened() const {
    std::error_code ec;
    if (!store_ && std::filesystem::exists(path_, ec)) Store();
    return store_ != nullptr;
  }
  SqliteSettingsStore& Store() const {
    if (!store_) store_ = std::make_unique<SqliteSettingsStore>(path_);
    return *store_;
  }

  std::string path_;
  mutable std::unique_ptr<SqliteSettingsStore> store_;
};

}  // namespace cvx
