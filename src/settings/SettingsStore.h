#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/StoreStatus.h"

namespace cvx {

struct NamedValue {
  std::string name;
  std::string value;

  bool operator==(const NamedValue&) const = default;
};

// The per-user settings store: text values by section and key, all under the application
// "Corvexa". Passed to whoever reads or writes settings, so tests can hand in a store of their own.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored value, or fallback when there is none (or the store cannot be read).
  virtual std::string ReadValue(std::string_view section, std::string_view key,
                                std::string_view fallback) const = 0;
  // Every value of the section in the order its key was first written; empty when there is none.
  virtual std::vector<NamedValue> ReadSection(std::string_view section) const = 0;

  // Rewriting a key keeps its place in the section's order.
  virtual StoreStatus WriteValue(std::string_view section, std::string_view key,
                                 std::string_view value) = 0;
  // A missing section is not an error.
  virtual StoreStatus DeleteSection(std::string_view section) = 0;

  // Runs writes so that other processes see all of them or none. The result is the first failure:
  // of starting, of a write inside, or of finishing. A store that cannot start the transaction
  // does not run writes at all. Nested calls join the outer transaction.
  virtual StoreStatus Transaction(const std::function<void()>& writes) = 0;

  // Whether the store works; when it does not, why (naming its file). Such a store reads as empty
  // and writes nothing, so the run goes on with the defaults.
  virtual StoreStatus Status() const { return StoreStatus::Ok(); }

  // Whether the stored values could be read: a store that holds none yet reads fine (as empty);
  // one that is there but cannot be read (corrupt, locked against readers) says why, so a caller
  // that must not act on defaults can refuse. Includes failures of reads made so far.
  virtual StoreStatus ReadStatus() const { return StoreStatus::Ok(); }
};

}  // namespace cvx
