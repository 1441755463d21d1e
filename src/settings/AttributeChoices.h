#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"

namespace cvx {

// Whose attributes: the user picker lstNDSInfoSelect(0) or the workstation picker (1).
enum class AttributeObject { User, Workstation };

// The section "NDS User\TREE" or "NDS Workstation\TREE".
std::string AttributeSection(std::string_view tree, AttributeObject object);

// The names checked at the last save, in the order they were written.
std::vector<std::string> LoadAttributeChoices(const SettingsStore& store, std::string_view tree,
                                              AttributeObject object);

// Replaces the section with one key per checked name (value "1"), in one transaction so that a
// crash never leaves it emptied. An empty list leaves no section.
StoreStatus SaveAttributeChoices(SettingsStore& store, std::string_view tree,
                                 AttributeObject object, const std::vector<std::string>& checked);

}  // namespace cvx
