#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "directory/DirResult.h"

namespace cvx {

class DirEntry;
using EntryPtr = std::shared_ptr<const DirEntry>;
using EntryList = std::vector<EntryPtr>;

// What an entry's Layout reports: its class, by NDS class name ("User", "Organizational Unit" ...).
struct EntryLayout {
  std::string Name;
};

// One directory object as a control hands it out. Enumerations from an entry are filtered by the
// class filter of the control that produced it.
class DirEntry {
 public:
  virtual ~DirEntry() = default;

  virtual std::string RelativeName() const = 0;
  virtual std::string FullPath() const = 0;  // browser form: NDS:\\TREE\O\OU\CN
  virtual EntryLayout Layout() const = 0;

  // Nothing (nullopt) for a leaf; a collection, possibly empty, for a container.
  virtual DirResult<std::optional<EntryList>> SubEntries() const = 0;

  // All values of a field, by its NDS name, as text (network addresses rendered as text). A field
  // the object lacks gives an empty list.
  virtual DirResult<std::vector<std::string>> GetFieldValue(const std::string& fieldName) const = 0;
};

}  // namespace cvx
