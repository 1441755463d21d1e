#include "settings/AttributeChoices.h"

#include "settings/SettingsSections.h"

namespace cvx {

std::string AttributeSection(std::string_view tree, AttributeObject object) {
  return object == AttributeObject::User ? NdsUserSection(tree) : NdsWorkstationSection(tree);
}

std::vector<std::string> LoadAttributeChoices(const SettingsStore& store, std::string_view tree,
                                              AttributeObject object) {
  std::vector<std::string> names;
  // The value is always "1"; only the key counts.
  for (auto& value : store.ReadSection(AttributeSection(tree, object))) {
    names.push_back(std::move(value.name));
  }
  return names;
}

StoreStatus SaveAttributeChoices(SettingsStore& store, std::string_view tree,
                                 AttributeObject object, const std::vector<std::string>& checked) {
  const std::string section = AttributeSection(tree, object);
  StoreStatus status;
  status.Note(store.Transaction([&] {
    status.Note(store.DeleteSection(section));
    for (const auto& name : checked) status.Note(store.WriteValue(section, name, "1"));
  }));
  return status;
}

}  // namespace cvx
