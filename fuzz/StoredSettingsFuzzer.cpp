// Settings read back from the per-user store, which other copies of the program, other versions
// or a person with an SQLite shell may have written. The input is one "key=value" line per stored
// value of a tree's Settings section; a key starting with "H:" adds the rest as a history value.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "FuzzCheck.h"
#include "core/ActionCatalogue.h"
#include "settings/HistoryStore.h"
#include "settings/SettingsNumbers.h"
#include "settings/SettingsSections.h"
#include "settings/SqliteSettingsStore.h"
#include "settings/StoredSettingsIo.h"

namespace {

constexpr std::string_view kTree = "FUZZ";

void CheckNumberRoundTrip(std::string_view text) {
  if (const auto value = cvx::ParseSingle(text)) {
    const auto again = cvx::ParseSingle(cvx::FormatSingle(*value));
    CVX_FUZZ_CHECK(again && *again == *value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static cvx::SqliteSettingsStore store(":memory:");
  CVX_FUZZ_CHECK(store.usable());
  const std::string settings = cvx::SettingsSection(kTree);
  const std::string history = cvx::HistorySection(kTree);
  store.DeleteSection(settings);
  store.DeleteSection(history);

  // What was written last under each key, to compare with what is read back.
  std::map<std::pair<std::string, std::string>, std::string> written;
  std::string_view input(reinterpret_cast<const char*>(data), size);
  while (!input.empty()) {
    const auto lf = input.find('\n');
    const std::string_view line = input.substr(0, lf);
    input.remove_prefix(lf == std::string_view::npos ? input.size() : lf + 1);
    if (line.starts_with("H:")) {
      const std::string name(line.substr(2));
      CVX_FUZZ_CHECK(store.WriteValue(history, name, "").ok);
      written[{history, name}] = "";
      continue;
    }
    const auto eq = line.find('=');
    const std::string key(line.substr(0, eq));
    const std::string value(eq == std::string_view::npos ? std::string_view()
                                                         : line.substr(eq + 1));
    CVX_FUZZ_CHECK(store.WriteValue(settings, key, value).ok);
    written[{settings, key}] = value;
    CheckNumberRoundTrip(value);
  }
  for (const auto& [where, value] : written) {
    CVX_FUZZ_CHECK(store.ReadValue(where.first, where.second, "\x01missing") == value);
  }

  // With the extended actions every catalogue code is usable, without them only "RC".
  const bool extended = size % 2 == 0;
  const cvx::RemoteActionCheck usable = [extended](std::string_view code) {
    return code == "RC" || (extended && cvx::FindAction(code) != nullptr);
  };
  const cvx::LoadedSettings loaded = cvx::LoadStoredSettings(store, kTree, usable);
  for (const auto& bad : loaded.bad) {
    CVX_FUZZ_CHECK(written.count({settings, bad.key}) == 1);
    CVX_FUZZ_CHECK(!cvx::DescribeBadSetting(kTree, bad).empty());
  }
  const auto& v = loaded.values;
  CVX_FUZZ_CHECK(v.SearchSubordinates == 0 || v.SearchSubordinates == 1);
  CVX_FUZZ_CHECK(v.SearchForAliases == 0 || v.SearchForAliases == 1);
  CVX_FUZZ_CHECK(v.AppendToExistingDB == 0 || v.AppendToExistingDB == 1);
  CVX_FUZZ_CHECK(v.RemoteAction.size() == 2);
  (void)cvx::ReadCurrentContext(store, kTree, "NDS:\\\\FUZZ");

  const cvx::HistoryItems entries = cvx::LoadHistory(store, kTree);
  CVX_FUZZ_CHECK(entries.size() <= written.size());

  // What a normal close writes, the next start reads back as it was, with nothing refused.
  CVX_FUZZ_CHECK(cvx::SaveStoredSettings(store, kTree, v, false).ok);
  const cvx::LoadedSettings again = cvx::LoadStoredSettings(store, kTree, usable);
  CVX_FUZZ_CHECK(again.bad.empty());
  CVX_FUZZ_CHECK(again.values == v);
  return 0;
}
