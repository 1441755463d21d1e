#pragma once

#include <string>
#include <string_view>

namespace cvx {

// Every value lives under this application name.
inline constexpr std::string_view kSettingsApp = "Corvexa";

// Each section exists once per tree: the prefix, a backslash and the tree name.
std::string SettingsSection(std::string_view tree);
std::string HistorySection(std::string_view tree);
std::string NdsUserSection(std::string_view tree);
std::string NdsWorkstationSection(std::string_view tree);

}  // namespace cvx
