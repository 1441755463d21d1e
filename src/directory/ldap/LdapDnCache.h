#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace cvx {

// The DNs of containers met so far, by upper-case full name: a full name says which values the
// RDNs have but not their types, so finding an object costs one question per level that is not
// known yet. Shared by the threads of one tree; bounded.
class LdapDnCache {
 public:
  std::optional<std::string> Find(const std::string& upperFullPath) const;
  void Remember(const std::string& upperFullPath, const std::string& dn);
  void Clear();

 private:
  static constexpr std::size_t kMaxEntries = 20000;
  mutable std::mutex mutex_;
  std::unordered_map<std::string, std::string> dns_;
};

}  // namespace cvx
