#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cvx {

// An ordered list of items, each under a text key that no other item has. Tree nodes, search
// results and history entries all need "append unless the key is taken" and "find by key"; this
// keeps that in one place. Keys compare byte for byte.
template <class T>
class KeyedItems {
 public:
  struct Entry {
    std::string key;
    T item;
  };

  // Appends the item, or refuses it (false, nothing changed) when the key is already present.
  bool Add(std::string key, T item) {
    if (index_.find(key) != index_.end()) return false;
    index_.emplace(key, entries_.size());
    entries_.push_back(Entry{std::move(key), std::move(item)});
    return true;
  }

  bool Contains(std::string_view key) const { return index_.find(key) != index_.end(); }

  std::optional<std::size_t> IndexOf(std::string_view key) const {
    const auto it = index_.find(key);
    if (it == index_.end()) return std::nullopt;
    return it->second;
  }

  const T* Find(std::string_view key) const {
    const auto i = IndexOf(key);
    return i ? &entries_[*i].item : nullptr;
  }
  T* Find(std::string_view key) {
    const auto i = IndexOf(key);
    return i ? &entries_[*i].item : nullptr;
  }

  void Clear() {
    entries_.clear();
    index_.clear();
  }

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // In the order added.
  const Entry& operator[](std::size_t i) const { return entries_[i]; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<Entry> entries_;
  std::map<std::string, std::size_t, std::less<>> index_;
};

}  // namespace cvx
