#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace cvx {

// Settings kept in memory for handler tests, with the order rules of the real store.
class MemorySettingsStore : public SettingsStore {
 public:
  struct Row {
    std::string section, key, value;
  };

  std::string ReadValue(std::string_view section, std::string_view key,
                        std::string_view fallback) const override {
    const auto it = Find(section, key);
    return it != rows.end() ? it->value : std::string(fallback);
  }
  std::vector<NamedValue> ReadSection(std::string_view section) const override {
    std::vector<NamedValue> values;
    for (const auto& row : rows) {
      if (row.section == section) values.push_back(NamedValue{row.key, row.value});
    }
    return values;
  }
  StoreStatus WriteValue(std::string_view section, std::string_view key,
                         std::string_view value) override {
    const auto it = Find(section, key);
    if (it != rows.end()) {
      rows[static_cast<std::size_t>(it - rows.begin())].value = std::string(value);
    } else {
      rows.push_back(Row{std::string(section), std::string(key), std::string(value)});
    }
    return StoreStatus::Ok();
  }
  StoreStatus DeleteSection(std::string_view section) override {
    std::erase_if(rows, [&](const Row& row) { return row.section == section; });
    return StoreStatus::Ok();
  }
  StoreStatus Transaction(const std::function<void()>& body) override {
    body();
    return StoreStatus::Ok();
  }

  std::vector<Row> rows;

 private:
  std::vector<Row>::const_iterator Find(std::string_view section, std::string_view key) const {
    return std::find_if(rows.begin(), rows.end(),
                        [&](const Row& row) { return row.section == section && row.key == key; });
  }
};

}  // namespace cvx
