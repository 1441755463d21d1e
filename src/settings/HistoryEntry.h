#pragma once

#include <string>

#include "core/KeyedItems.h"

namespace cvx {

// An entry of the history box, kept under the object's full name (browser form).
struct HistoryEntry {
  std::string text;       // the dotted form people read
  std::string className;  // also the key of its picture

  bool operator==(const HistoryEntry&) const = default;
};

using HistoryItems = KeyedItems<HistoryEntry>;

}  // namespace cvx
