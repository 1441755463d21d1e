#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "directory/DirResult.h"
#include "directory/ldap/LdapConnection.h"
#include "directory/ldap/LdapDnCache.h"
#include "directory/ldap/LdapQueries.h"
#include "directory/ldap/LdapTreeInfo.h"

namespace cvx {

// One live tree: a server and the connections to it. Every call may come from any thread; each
// takes a connection of its own from a small pool. A connection found lost is replaced once and
// the call retried; only if that fails too does the call fail (kDirLost).
class LdapTree {
 public:
  // `name` empty: the tree is named once connected (see LdapTreeInfo). With a `fault` the tree
  // is never connected: every use fails with it.
  LdapTree(std::string name, std::string uri, std::shared_ptr<const LdapOptions> options,
           std::string fault = {});

  const std::string& Uri() const { return uri_; }
  // The name the directory knows the tree by; for a tree named by its server, empty until the
  // first connection (which the directory makes while it opens).
  const std::string& Name() const { return name_; }

  // Connects on first use: the server's root entry, schema and top objects.
  DirResult<std::shared_ptr<const LdapTreeInfo>> Info();

  DirResult<LdapEntryDataPtr> Find(const std::string& fullName, bool resolveAlias);
  DirResult<std::vector<LdapEntryDataPtr>> Children(const LdapEntryData& parent,
                                                    const LdapClassFilter& filter);
  DirResult<bool> HasChildren(const LdapEntryData& entry);
  DirResult<std::shared_ptr<LdapSearchHits>> Search(const std::string& pattern,
                                                    const std::string& classes, int scope,
                                                    const std::string& context,
                                                    const std::vector<std::string>& fields,
                                                    const std::atomic<bool>* cancel,
                                                    const LdapSearchProgress& progress = {});
  // The object with all its attributes, from the server (for a hit read with some only).
  DirResult<LdapEntryDataPtr> ReadWhole(const std::string& fullName);
  DirResult<std::vector<std::string>> ServerNames();

  // While a search runs, while its completion is handled and for a short while after, look-ups
  // of what it found are answered from its entries: a database build reads every hit, and asking
  // the server again for each would cost a round trip per object for data just received. Past
  // kFreshFor the server is asked again (an address changes when its user logs in elsewhere).
  class Delivery {
   public:
    static constexpr std::chrono::seconds kFreshFor{30};

    Delivery(std::shared_ptr<LdapTree> tree, std::shared_ptr<const LdapSearchHits> hits);
    ~Delivery();
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;
    const std::shared_ptr<const LdapSearchHits>& Hits() const { return hits_; }
    // Fresh again from now: a search still running has just added to its entries.
    void Renew();

   private:
    std::shared_ptr<LdapTree> tree_;
    std::shared_ptr<const LdapSearchHits> hits_;
  };

 private:
  // An idle connection, or a new one when there is none or `fresh` is set.
  DirResult<std::unique_ptr<LdapConnection>> Acquire(bool fresh);
  void Release(std::unique_ptr<LdapConnection> connection);
  // Runs `op` on a connection; a lost one is replaced once and `op` run again.
  template <class T>
  DirResult<T> WithQueries(const std::function<DirResult<T>(LdapQueries&)>& op,
                           const std::atomic<bool>* cancel = nullptr);
  DirResult<std::shared_ptr<const LdapTreeInfo>> ReadInfo(LdapConnection& connection);
  LdapEntryDataPtr DeliveredHit(const std::string& fullName) const;

  std::string name_;
  const std::string uri_;
  const std::shared_ptr<const LdapOptions> options_;
  const std::string fault_;
  LdapDnCache dnCache_;

  mutable std::mutex mutex_;  // guards what follows
  std::shared_ptr<const LdapTreeInfo> info_;
  std::vector<std::unique_ptr<LdapConnection>> idle_;
  struct Delivered {
    std::shared_ptr<const LdapSearchHits> hits;
    std::chrono::steady_clock::time_point freshUntil;
  };
  std::vector<Delivered> delivering_;
};

}  // namespace cvx
