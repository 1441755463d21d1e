#include "settings/HistoryStore.h"

#include "core/ClassImages.h"
#include "core/UNCtoDOTConversion.h"
#include "settings/SettingsSections.h"

namespace cvx {

std::string HistoryValueName(std::string_view fullName, std::string_view className) {
  std::string name(fullName);
  name += ';';
  name += className;
  return name;
}

HistoryItems LoadHistory(const SettingsStore& store, std::string_view tree) {
  HistoryItems entries;
  for (const auto& value : store.ReadSection(HistorySection(tree))) {
    const auto split = value.name.rfind(';');
    if (split == std::string::npos || split == 0) continue;
    std::string className = value.name.substr(split + 1);
    if (!HasClassImage(className)) continue;
    std::string fullName = value.name.substr(0, split);
    std::string text = DottedName(fullName);
    entries.Add(std::move(fullName), HistoryEntry{std::move(text), std::move(className)});
  }
  return entries;
}

bool AddHistory(HistoryItems& entries, SettingsStore& store, std::string_view tree,
                const std::string& key, const std::string& name, const std::string& className) {
  if (key.empty() || !HasClassImage(className) ||
      !entries.Add(key, HistoryEntry{DottedName(name), className})) {
    return false;
  }
  store.WriteValue(HistorySection(tree), HistoryValueName(name, className), "");
  return true;
}

StoreStatus PurgeHistory(HistoryItems& entries, SettingsStore& store, std::string_view tree) {
  entries.Clear();
  return store.DeleteSection(HistorySection(tree));
}

}  // namespace cvx
