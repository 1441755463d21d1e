#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace cvx {

// Keeps many small strings in a few large blocks, for data that lives as long as the arena: a
// tree of hundreds of thousands of objects would otherwise spend more on per-string allocations
// than on its text. Kept strings never move.
class StringArena {
 public:
  std::string_view Keep(std::string_view text);

 private:
  static constexpr std::size_t kBlockSize = 256 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t used_ = kBlockSize;  // in the last block; full at first
};

}  // namespace cvx
