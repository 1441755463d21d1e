#include "target/ResultEntries.h"

#include <algorithm>
#include <utility>

namespace cvx {

bool ResultEntries::Add(ResultEntry entry) {
  // A handful of entries at most: a linear check is cheaper than an index.
  if (!entry.key.empty() && std::any_of(items_.begin(), items_.end(),
                                        [&](const ResultEntry& e) { return e.key == entry.key; })) {
    return false;
  }
  items_.push_back(std::move(entry));
  return true;
}

}  // namespace cvx
