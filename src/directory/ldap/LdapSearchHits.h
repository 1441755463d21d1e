#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/TextUtil.h"
#include "directory/DirectoryControl.h"
#include "directory/ldap/LdapEntryData.h"

namespace cvx {

// What a search found: the names in the server's order, and the entries, which answer look-ups
// of those names while the completion is handled. Filled by one thread, then read by one at a
// time.
class LdapSearchHits {
 public:
  void Add(LdapEntryData entry);
  std::size_t Size() const { return entries_.size(); }
  // Forgets the hits after the first `size` (a search started over).
  void Truncate(std::size_t size);
  // The names, once: they go to the completion.
  SearchResults TakeNames() { return std::move(names_); }

  // The hit with this full name (any letter case), or null. A database build looks its hits up
  // in the order found, so the one after the last found is tried first.
  LdapEntryDataPtr Find(std::string_view fullName) const;

 private:
  SearchResults names_;
  std::vector<LdapEntryDataPtr> entries_;
  mutable std::size_t next_ = 0;
  // By full name, made at the first look-up out of order; views into the entries.
  mutable std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> index_;
};

}  // namespace cvx
