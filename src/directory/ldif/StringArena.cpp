#include "directory/ldif/StringArena.h"

#include <cstring>

namespace cvx {

std::string_view StringArena::Keep(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > kBlockSize / 4) {
    // A long value gets a block of its own, and the current block stays in use.
    auto block = std::make_unique<char[]>(text.size());
    std::memcpy(block.get(), text.data(), text.size());
    const std::string_view kept(block.get(), text.size());
    blocks_.insert(blocks_.end() - (blocks_.empty() ? 0 : 1), std::move(block));
    return kept;
  }
  if (used_ + text.size() > kBlockSize) {
    blocks_.push_back(std::make_unique<char[]>(kBlockSize));
    used_ = 0;
  }
  char* at = blocks_.back().get() + used_;
  std::memcpy(at, text.data(), text.size());
  used_ += text.size();
  return {at, text.size()};
}

}  // namespace cvx
