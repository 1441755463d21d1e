#include "settings/StoredSettingsIo.h"

#include <map>

#include "settings/SettingsNumbers.h"
#include "settings/SettingsSections.h"

namespace cvx {

namespace {

struct SingleKey {
  const char* key;
  float StoredSettings::*field;
};
// In the order they are read and written.
constexpr SingleKey kGeometry[] = {
    {"Left", &StoredSettings::Left},
    {"Top", &StoredSettings::Top},
    {"Height", &StoredSettings::Height},
    {"Width", &StoredSettings::Width},
    {"SplitV", &StoredSettings::SplitV},
    {"SplitH", &StoredSettings::SplitH},
    {"NDSColumn1", &StoredSettings::NDSColumn1},
    {"NDSColumn2", &StoredSettings::NDSColumn2},
};

struct OptionKey {
  const char* key;
  int StoredSettings::*field;
  int count;  // of the option group or the check box's states
};
constexpr OptionKey kSearchSubordinates{"Search Subordinates", &StoredSettings::SearchSubordinates,
                                        2};
constexpr OptionKey kSearchForAliases{"Search for Aliases", &StoredSettings::SearchForAliases, 2};
constexpr OptionKey kAppendToExistingDB{"Append to Existing DB",
                                        &StoredSettings::AppendToExistingDB, 2};

constexpr const char* kSearchAnchor = "SearchAnchor";
constexpr const char* kInventoryServer = "Inventory Server";
constexpr const char* kRemoteAction = "Remote Action";
constexpr const char* kZWServer = "ZW Server";
constexpr const char* kCurrentContext = "Current Context";

using SectionValues = std::map<std::string, std::string, std::less<>>;

SectionValues ToMap(std::vector<NamedValue> values) {
  SectionValues map;
  for (auto& v : values) map.emplace(std::move(v.name), std::move(v.value));
  return map;
}

const std::string* Find(const SectionValues& values, std::string_view key) {
  const auto it = values.find(key);
  return it == values.end() ? nullptr : &it->second;
}

// Writes value, keeping the stored text when it already reads as value.
StoreStatus WriteSingle(SettingsStore& store, const std::string& section, const SectionValues& old,
                        const char* key, float value) {
  const std::string* stored = Find(old, key);
  if (stored != nullptr && ParseSingle(*stored) == value) {
    return store.WriteValue(section, key, *stored);
  }
  return store.WriteValue(section, key, FormatSingle(value));
}

StoreStatus WriteOption(SettingsStore& store, const std::string& section, const SectionValues& old,
                        const OptionKey& option, const StoredSettings& values) {
  return WriteSingle(store, section, old, option.key, static_cast<float>(values.*option.field));
}

}  // namespace

LoadedSettings LoadStoredSettings(const SettingsStore& store, std::string_view tree,
                                  const RemoteActionCheck& usableAction) {
  LoadedSettings loaded;
  StoredSettings& v = loaded.values;
  const SectionValues stored = ToMap(store.ReadSection(SettingsSection(tree)));

  for (const auto& g : kGeometry) {
    const std::string* text = Find(stored, g.key);
    if (text == nullptr) continue;
    if (const auto number = ParseSingle(*text)) {
      v.*g.field = *number;
    } else {
      loaded.bad.push_back(BadSetting{g.key, *text});
    }
  }
  for (const auto* option : {&kSearchSubordinates, &kSearchForAliases, &kAppendToExistingDB}) {
    const std::string* text = Find(stored, option->key);
    if (text == nullptr) continue;
    if (const auto index = ParseOptionIndex(*text, option->count)) {
      v.*option->field = *index;
    } else {
      loaded.bad.push_back(BadSetting{option->key, *text});
    }
  }
  if (const std::string* anchor = Find(stored, kSearchAnchor)) v.SearchAnchor = *anchor;
  if (const std::string* server = Find(stored, kInventoryServer)) v.InventoryServer = *server;
  if (const std::string* code = Find(stored, kRemoteAction); code && usableAction(*code)) {
    v.RemoteAction = *code;
  }
  if (const std::string* server = Find(stored, kZWServer)) v.ZWServer = *server;
  return loaded;
}

std::string ReadCurrentContext(const SettingsStore& store, std::string_view tree,
                               std::string_view treeRoot) {
  return store.ReadValue(SettingsSection(tree), kCurrentContext, treeRoot);
}

StoreStatus SaveStoredSettings(SettingsStore& store, std::string_view tree,
                               const StoredSettings& values, bool minimized) {
  const std::string section = SettingsSection(tree);
  StoreStatus status;
  status.Note(store.Transaction([&] {
    const SectionValues old = ToMap(store.ReadSection(section));
    const StoredSettings defaults;
    for (const auto& g : kGeometry) {
      if (!minimized) {
        status.Note(WriteSingle(store, section, old, g.key, values.*g.field));
      } else if (const std::string* text = Find(old, g.key); text && !ParseSingle(*text)) {
        status.Note(WriteSingle(store, section, old, g.key, defaults.*g.field));
      }
    }
    status.Note(store.WriteValue(section, kZWServer, values.ZWServer));
    status.Note(WriteOption(store, section, old, kSearchForAliases, values));
    status.Note(WriteOption(store, section, old, kSearchSubordinates, values));
    status.Note(WriteOption(store, section, old, kAppendToExistingDB, values));
    status.Note(store.WriteValue(section, kRemoteAction, values.RemoteAction));
    status.Note(store.WriteValue(section, kCurrentContext, values.CurrentContext));
    status.Note(store.WriteValue(section, kSearchAnchor, values.SearchAnchor));
    status.Note(store.WriteValue(section, kInventoryServer, values.InventoryServer));
  }));
  return status;
}

std::string DescribeBadSetting(std::string_view tree, const BadSetting& bad) {
  std::string line = "cvx: the stored setting \"";
  line += bad.key;
  line += "\" of \"";
  line += SettingsSection(tree);
  line += "\" is not usable (\"";
  line += bad.storedText;
  line += "\"); its default is used and written at exit.";
  return line;
}

}  // namespace cvx
