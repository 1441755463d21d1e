#include "directory/ldap/LdapDnCache.h"

namespace cvx {

std::optional<std::string> LdapDnCache::Find(const std::string& upperFullPath) const {
  std::lock_guard lock(mutex_);
  const auto it = dns_.find(upperFullPath);
  return it == dns_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void LdapDnCache::Remember(const std::string& upperFullPath, const std::string& dn) {
  std::lock_guard lock(mutex_);
  // Starting afresh is cheaper than tracking use, and refilling costs one question per level.
  if (dns_.size() >= kMaxEntries) dns_.clear();
  dns_[upperFullPath] = dn;
}

void LdapDnCache::Clear() {
  std::lock_guard lock(mutex_);
  dns_.clear();
}

}  // namespace cvx
