#include "settings/SettingsSections.h"

namespace cvx {

namespace {
std::string TreeSection(std::string_view prefix, std::string_view tree) {
  std::string section(prefix);
  section += '\\';
  section += tree;
  return section;
}
}  // namespace

std::string SettingsSection(std::string_view tree) {
  return TreeSection("Settings", tree);
}

std::string HistorySection(std::string_view tree) {
  return TreeSection("History", tree);
}

std::string NdsUserSection(std::string_view tree) {
  return TreeSection("NDS User", tree);
}

std::string NdsWorkstationSection(std::string_view tree) {
  return TreeSection("NDS Workstation", tree);
}

}  // namespace cvx
