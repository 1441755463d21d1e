#pragma once

#include <cstddef>
#include <vector>

#include "target/ResultEntry.h"

namespace cvx {

// Entries for the search results list, in the order they were added. Like the list, it refuses
// a second entry whose key is already present; notes (no key) are always taken.
class ResultEntries {
 public:
  // False when the entry was refused.
  bool Add(ResultEntry entry);

  const std::vector<ResultEntry>& items() const { return items_; }
  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }

 private:
  std::vector<ResultEntry> items_;
};

}  // namespace cvx
