#pragma once

#include <cstddef>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/TextUtil.h"
#include "directory/DirectoryControl.h"
#include "directory/ldap/LdapEntryData.h"

namespace cvx {

// What a search found: the names in the server's order, and the entries, which answer look-ups
// of those names while the search goes on and while its completion is handled. Filled by one
// thread while others read.
class LdapSearchHits {
 public:
  // Gives how many there are now.
  std::size_t Add(LdapEntryData entry);
  std::size_t Size() const;
  // Forgets the hits after the first `size` (a search started over).
  void Truncate(std::size_t size);
  // The names from the one at `first` on.
  SearchResults NamesFrom(std::size_t first) const;
  // The names, once the search is done: they go to the completion.
  SearchResults TakeNames();

  // The hit with this full name (any letter case), or null. A database build looks its hits up
  // in the order found, so the one after the last found is tried first.
  LdapEntryDataPtr Find(std::string_view fullName) const;

 private:
  mutable std::mutex mutex_;  // guards what follows
  SearchResults names_;
  std::vector<LdapEntryDataPtr> entries_;
  mutable std::size_t next_ = 0;
  // By full name, made at the first look-up out of order and extended by later ones; views into
  // the entries (the first `indexed_`).
  mutable std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> index_;
  mutable std::size_t indexed_ = 0;
};

}  // namespace cvx
