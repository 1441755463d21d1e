#include "directory/ldap/LdapSearchHits.h"

#include <memory>

namespace cvx {

void LdapSearchHits::Add(LdapEntryData entry) {
  names_.push_back(entry.fullPath);
  entries_.push_back(std::make_shared<const LdapEntryData>(std::move(entry)));
}

void LdapSearchHits::Truncate(std::size_t size) {
  names_.resize(size);
  entries_.resize(size);
}

LdapEntryDataPtr LdapSearchHits::Find(std::string_view fullName) const {
  // The build asks with the very names the search gave: the same bytes, mostly.
  if (next_ < entries_.size() && (entries_[next_]->fullPath == fullName ||
                                  EqualsNoCase(entries_[next_]->fullPath, fullName))) {
    return entries_[next_++];
  }
  if (index_.empty()) {
    index_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) index_.emplace(entries_[i]->fullPath, i);
  }
  const auto it = index_.find(fullName);
  if (it == index_.end()) return nullptr;
  next_ = it->second + 1;
  return entries_[it->second];
}

}  // namespace cvx
