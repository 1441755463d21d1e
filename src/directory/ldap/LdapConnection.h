#pragma once

#include <ldap.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "directory/DirResult.h"
#include "directory/ldap/LdapOptions.h"

namespace cvx {

// When a search asks for pages (RFC 2696). Some servers work through the whole database for a
// paged search of a small level (slapd's back_mdb does), and a paged search of many entries
// costs a server more than a plain one, so look-ups, levels and subtree searches ask plainly
// first.
enum class LdapPaging {
  kWhenLimited,  // plainly, entries held back; page by page when the server's size limit is reached
  kAlways,       // page by page from the start
  // Plainly, entries visited as they arrive (searches, which may find many): when the server's
  // size or time limit cuts the result, the caller's `restart` voids what was visited and the
  // search goes on page by page, as later ones on the same connection do from the start.
  kRestartable,
};

// What one search asks a server for.
struct LdapSearchRequest {
  std::string base;
  int scope = 0;  // LDAP_SCOPE_BASE, LDAP_SCOPE_ONELEVEL or LDAP_SCOPE_SUBTREE
  std::string filter = "(objectClass=*)";
  std::vector<std::string> attributes;  // empty: every user attribute
  int sizeLimit = 0;                    // 0: every entry; else at most this many, in one go
  LdapPaging paging = LdapPaging::kWhenLimited;
};

// Called with each entry, in the order the server sends them.
using LdapEntryVisitor = std::function<void(LDAP*, LDAPMessage*)>;

// One connection to one server, used by one thread at a time. No wait on the network lasts
// longer than the options' timeout; a failed call leaves the connection marked when it is no
// longer usable.
class LdapConnection {
 public:
  // Connects, starts TLS when the options ask for it, and binds (anonymously without a bind DN,
  // so an unreachable server shows at once). Failure is kDirLost with the reason.
  static DirResult<std::unique_ptr<LdapConnection>> Open(const std::string& uri,
                                                         const LdapOptions& options);
  ~LdapConnection();
  LdapConnection(const LdapConnection&) = delete;
  LdapConnection& operator=(const LdapConnection&) = delete;

  // Runs a search to its end, asking for pages (RFC 2696) so that no server size limit cuts it
  // short; a result the server cuts short anyway is an error. A page size the server refuses is
  // halved until it takes one (kept for the connection); a server that refuses paging is asked
  // plainly. Parts of the result held by other servers (referrals) are asked there with the
  // same options; one that cannot be reached makes the result an error, never a short one.
  // Gives the number of entries; entries are visited only once the server has not cut them
  // short.
  // A base that is not there is kDirNoSuchObject; every other failure kDirLost. `cancel`, when
  // set, abandons the search.
  DirResult<std::size_t> Search(const LdapSearchRequest& request, const LdapEntryVisitor& visit,
                                const std::atomic<bool>* cancel = nullptr,
                                const std::function<void()>& restart = {});

  // The server went away (worth one new connection and a retry).
  bool Lost() const { return lost_; }
  // Lost, timed out or cut off midway: not to be used again.
  bool Broken() const { return broken_; }
  const std::string& Uri() const { return uri_; }

 private:
  LdapConnection(LDAP* ld, std::string uri, const LdapOptions& options);
  class Watchdog;
  friend class Watchdog;

  DirError Failure(int code, const std::string& what);
  DirResult<std::size_t> SearchFollowing(const LdapSearchRequest& request,
                                         const LdapEntryVisitor& visit,
                                         const std::atomic<bool>* cancel, int hops,
                                         const std::function<void()>& restart);
  // The search on this server only; `references` gets the URLs of the parts held elsewhere.
  DirResult<std::size_t> SearchHere(const LdapSearchRequest& request, const LdapEntryVisitor& visit,
                                    const std::atomic<bool>* cancel,
                                    std::vector<std::string>& references,
                                    const std::function<void()>& restart);
  DirResult<std::size_t> FollowReference(const LdapSearchRequest& request, const std::string& url,
                                         const LdapEntryVisitor& visit,
                                         const std::atomic<bool>* cancel, int hops);
  // Waits for messages of `msgid`: one complete result (all) or whatever has arrived.
  DirResult<LDAPMessage*> Wait(int msgid, bool all, const std::atomic<bool>* cancel);
  // One request: a page (with `paged`) or the whole plain search. `limitReached`, when given, is
  // set when the server's size limit (or, with `hold` unset, its time limit) cut the result;
  // with `hold` the entries are visited only once the result is whole.
  DirResult<std::size_t> SearchPage(const LdapSearchRequest& request, const LdapEntryVisitor& visit,
                                    const std::atomic<bool>* cancel, std::string& cookie,
                                    bool paged, bool* limitReached, bool hold,
                                    std::vector<std::string>& references);
  DirError Abandon(int msgid, DirError why);

  // Referrals that lead on to further referrals end here (a loop between servers).
  static constexpr int kMaxReferralHops = 4;

  LDAP* ld_;
  std::string uri_;
  LdapOptions options_;  // for the servers referrals lead to
  int timeoutMs_;
  int pageSize_;
  bool pagingRefused_ = false;
  bool limited_ = false;       // a plain search was cut short by the server's limit
  int lastCode_ = 0;           // the result code of the last page
  std::size_t lastCount_ = 0;  // and how many entries it had
  bool lost_ = false;
  bool broken_ = false;
  std::atomic<int> socket_{-1};  // known once connected; for the watchdog
  ldap_conncb callbacks_{};
};

}  // namespace cvx
