#include "directory/AttributeRows.h"

namespace cvx {

int PickerForClass(std::string_view className) {
  return className == "Workstation" ? kWorkstationPicker : kUserPicker;
}

AttributeListing ListAttributes(const DirectoryControl& control, const std::string& fullName,
                                const CheckedByPicker& checked) {
  AttributeListing listing;
  const auto entry = control.FindEntry(fullName);
  if (!entry) {
    listing.error = entry.error();
    return listing;
  }
  const DirEntry& object = *entry.value();
  listing.picker = PickerForClass(object.Layout().Name);
  for (const std::string& name : checked[static_cast<std::size_t>(listing.picker)]) {
    const auto values = object.GetFieldValue(name);
    if (!values) continue;
    for (const std::string& value : *values) listing.rows.push_back(AttributeRow{name, value});
  }
  return listing;
}

}  // namespace cvx
