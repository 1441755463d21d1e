#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "directory/DirectoryControl.h"

namespace cvx {

// One row of the attribute view: an attribute's name and one of its values.
struct AttributeRow {
  std::string Name;
  std::string Value;  // empty for an empty value
};

// The attribute pickers: 0 lists the user layout's fields, 1 the workstation layout's.
inline constexpr int kUserPicker = 0;
inline constexpr int kWorkstationPicker = 1;
using CheckedByPicker = std::array<std::vector<std::string>, 2>;

// The picker whose choice applies to an object of this class: workstations have their own, every
// other class uses the user picker.
int PickerForClass(std::string_view className);

struct AttributeListing {
  int error = kDirOk;  // the look-up's error number (600, 601); no rows then
  int picker = kUserPicker;
  std::vector<AttributeRow> rows;
};

// The rows for the object with this full name: for each name checked in the picker of its class,
// in picker order, one row per value in value order. An attribute the object lacks, or whose
// value cannot be read, gives no row.
AttributeListing ListAttributes(const DirectoryControl& control, const std::string& fullName,
                                const CheckedByPicker& checked);

}  // namespace cvx
