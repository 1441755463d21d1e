#include "directory/ldap/LdapSearchHits.h"

#include <algorithm>
#include <memory>

namespace cvx {

std::size_t LdapSearchHits::Add(LdapEntryData entry) {
  auto shared = std::make_shared<const LdapEntryData>(std::move(entry));
  std::lock_guard lock(mutex_);
  names_.push_back(shared->fullPath);
  entries_.push_back(std::move(shared));
  return entries_.size();
}

std::size_t LdapSearchHits::Size() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

void LdapSearchHits::Truncate(std::size_t size) {
  std::lock_guard lock(mutex_);
  if (size >= entries_.size()) return;
  names_.resize(size);
  entries_.resize(size);
  next_ = std::min(next_, size);
  index_.clear();
  indexed_ = 0;
}

SearchResults LdapSearchHits::NamesFrom(std::size_t first) const {
  std::lock_guard lock(mutex_);
  if (first >= names_.size()) return {};
  return SearchResults(names_.begin() + static_cast<std::ptrdiff_t>(first), names_.end());
}

SearchResults LdapSearchHits::TakeNames() {
  std::lock_guard lock(mutex_);
  return std::move(names_);
}

LdapEntryDataPtr LdapSearchHits::Find(std::string_view fullName) const {
  std::lock_guard lock(mutex_);
  // The build asks with the very names the search gave: the same bytes, mostly.
  if (next_ < entries_.size() && (entries_[next_]->fullPath == fullName ||
                                  EqualsNoCase(entries_[next_]->fullPath, fullName))) {
    return entries_[next_++];
  }
  if (indexed_ < entries_.size()) {
    index_.reserve(entries_.size());
    for (; indexed_ < entries_.size(); ++indexed_) {
      index_.emplace(entries_[indexed_]->fullPath, indexed_);
    }
  }
  const auto it = index_.find(fullName);
  if (it == index_.end()) return nullptr;
  next_ = it->second + 1;
  return entries_[it->second];
}

}  // namespace cvx
