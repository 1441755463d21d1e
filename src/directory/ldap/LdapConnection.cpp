#include "directory/ldap/LdapConnection.h"

#include <ldap.h>
#include <signal.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>

namespace cvx {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks at its cancel flag.
constexpr int kSliceMs = 100;

timeval ToTimeval(int ms) {
  timeval tv{};
  tv.tv_sec = ms / 1000;
  tv.tv_usec = (ms % 1000) * 1000;
  return tv;
}

// The LDAP library writes to its socket with write(): a server that has gone away would raise
// SIGPIPE, which ends the program. The signal is held back on this thread for the duration of a
// call and a SIGPIPE raised meanwhile is taken off again, leaving the process's handlers alone.
class SigpipeGuard {
 public:
  SigpipeGuard() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    wasPending_ = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipe, &old_);
  }
  ~SigpipeGuard() {
    sigset_t pending;
    sigpending(&pending);
    if (!wasPending_ && sigismember(&pending, SIGPIPE) == 1) {
      sigset_t pipe;
      sigemptyset(&pipe);
      sigaddset(&pipe, SIGPIPE);
      const timespec now{0, 0};
      sigtimedwait(&pipe, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }
  SigpipeGuard(const SigpipeGuard&) = delete;
  SigpipeGuard& operator=(const SigpipeGuard&) = delete;

 private:
  sigset_t old_{};
  bool wasPending_ = false;
};

bool IsLoss(int code) {
  return code == LDAP_SERVER_DOWN || code == LDAP_CONNECT_ERROR || code == LDAP_UNAVAILABLE;
}

std::string DiagnosticOf(LDAP* ld) {
  char* text = nullptr;
  std::string out;
  if (ldap_get_option(ld, LDAP_OPT_DIAGNOSTIC_MESSAGE, &text) == LDAP_OPT_SUCCESS && text) {
    out = text;
    ldap_memfree(text);
  }
  // What the TLS layer leaves here says nothing.
  return out == "(unknown error code)" ? "" : out;
}

int ResultCodeOf(LDAP* ld) {
  int code = LDAP_OTHER;
  ldap_get_option(ld, LDAP_OPT_RESULT_CODE, &code);
  return code;
}

bool HasScheme(const std::string& uri, std::string_view scheme) {
  return uri.size() >= scheme.size() &&
         std::equal(scheme.begin(), scheme.end(), uri.begin(), [](char s, char u) {
           return std::tolower(static_cast<unsigned char>(u)) == s;
         });
}

// Called by the library when it has connected: the socket, for the watchdog.
int RememberSocket(LDAP*, Sockbuf* sb, LDAPURLDesc*, sockaddr*, ldap_conncb* callbacks) {
  ber_socket_t fd = -1;
  ber_sockbuf_ctrl(sb, LBER_SB_OPT_GET_FD, &fd);
  static_cast<std::atomic<int>*>(callbacks->lc_arg)->store(fd);
  return 0;
}

void ForgetSocket(LDAP*, Sockbuf*, ldap_conncb*) {}

}  // namespace

// The library bounds connecting and its own requests, but not the TLS handshake: a server that
// accepts a connection and then says nothing keeps it waiting (and spinning) for ever. The
// watchdog shuts the socket down when the handshake phases have not ended by the deadline, which
// makes the handshake fail at once.
class LdapConnection::Watchdog {
 public:
  explicit Watchdog(LdapConnection& c)
      : connection_(c),
        thread_([this, deadline = Clock::now() + std::chrono::milliseconds(c.timeoutMs_)] {
          Run(deadline);
        }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  bool Fired() const { return fired_; }

 private:
  void Run(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    if (wake_.wait_until(lock, deadline, [this] { return done_; })) return;
    const int fd = connection_.socket_.load();
    if (fd >= 0) {
      fired_ = true;
      ::shutdown(fd, SHUT_RDWR);
    }
  }

  LdapConnection& connection_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::atomic<bool> fired_{false};
  std::thread thread_;
};

LdapConnection::LdapConnection(LDAP* ld, std::string uri, const LdapOptions& options)
    : ld_(ld),
      uri_(std::move(uri)),
      options_(options),
      timeoutMs_(std::max(1, options.timeoutMs)),
      pageSize_(std::max(1, options.pageSize)) {}

LdapConnection::~LdapConnection() {
  SigpipeGuard guard;
  ldap_unbind_ext(ld_, nullptr, nullptr);
}

DirError LdapConnection::Failure(int code, const std::string& what) {
  if (IsLoss(code)) lost_ = true;
  if (IsLoss(code) || code == LDAP_TIMEOUT) broken_ = true;
  std::string message = uri_ + ": " + what + ": " + ldap_err2string(code);
  if (const auto diagnostic = DiagnosticOf(ld_); !diagnostic.empty()) {
    message += " (" + diagnostic + ")";
  }
  return MakeDirError(code == LDAP_NO_SUCH_OBJECT ? kDirNoSuchObject : kDirLost, message);
}

DirResult<std::unique_ptr<LdapConnection>> LdapConnection::Open(const std::string& uri,
                                                                const LdapOptions& options) {
  SigpipeGuard guard;
  LDAP* ld = nullptr;
  if (const int rc = ldap_initialize(&ld, uri.c_str()); rc != LDAP_SUCCESS) {
    return MakeDirError(kDirLost, uri + ": not a usable LDAP URI: " + ldap_err2string(rc));
  }
  std::unique_ptr<LdapConnection> c(new LdapConnection(ld, uri, options));
  const int version = LDAP_VERSION3;
  ldap_set_option(ld, LDAP_OPT_PROTOCOL_VERSION, &version);
  ldap_set_option(ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
  ldap_set_option(ld, LDAP_OPT_RESTART, LDAP_OPT_ON);
  // The network timeout bounds connecting and the TLS handshake; the API timeout bounds the
  // library's own synchronous calls (StartTLS).
  const timeval timeout = ToTimeval(c->timeoutMs_);
  ldap_set_option(ld, LDAP_OPT_NETWORK_TIMEOUT, &timeout);
  ldap_set_option(ld, LDAP_OPT_TIMEOUT, &timeout);
  c->callbacks_ = ldap_conncb{&RememberSocket, &ForgetSocket, &c->socket_};
  ldap_set_option(ld, LDAP_OPT_CONNECT_CB, &c->callbacks_);

  // Connecting, StartTLS and sending the bind happen inside the library; the watchdog bounds
  // them together. The bind's answer is waited for below, bounded on its own.
  berval credentials{};
  credentials.bv_val = const_cast<char*>(options.password.data());
  credentials.bv_len = options.password.size();
  int msgid = 0;
  const std::string who = options.bindDn.empty() ? "anonymous bind" : "bind as " + options.bindDn;
  {
    Watchdog watchdog(*c);
    const bool startTls = options.startTls && HasScheme(uri, "ldap://");
    const bool tls = startTls || HasScheme(uri, "ldaps://");
    auto timedOut = [&](DirError error) {
      if (!watchdog.Fired()) {
        // Connected, then lost during TLS: the handshake failed, most often on the certificate.
        if (tls && c->socket_.load() >= 0 && c->lost_) {
          error.message +=
              "; the TLS handshake failed: is the server's certificate issued for this name by "
              "a trusted CA? (trusted CAs: TLS_CACERT in ldap.conf, or LDAPTLS_CACERT)";
        }
        return error;
      }
      c->broken_ = true;
      return MakeDirError(
          kDirLost, uri + ": no TLS handshake within " + std::to_string(c->timeoutMs_) + " ms");
    };
    if (startTls) {
      if (const int rc = ldap_start_tls_s(ld, nullptr, nullptr); rc != LDAP_SUCCESS) {
        return timedOut(c->Failure(rc, "StartTLS failed"));
      }
    }
    if (const int rc = ldap_sasl_bind(ld, options.bindDn.c_str(), LDAP_SASL_SIMPLE, &credentials,
                                      nullptr, nullptr, &msgid);
        rc != LDAP_SUCCESS) {
      return timedOut(c->Failure(rc, who));
    }
  }

  auto reply = c->Wait(msgid, true, nullptr);
  if (!reply) return reply.dirError();
  int code = LDAP_OTHER;
  char* text = nullptr;
  const int rc = ldap_parse_result(ld, *reply, &code, nullptr, &text, nullptr, nullptr, 1);
  std::string detail = text ? text : "";
  ldap_memfree(text);
  if (rc != LDAP_SUCCESS) return c->Failure(rc, who);
  if (code != LDAP_SUCCESS) {
    return MakeDirError(kDirLost, uri + ": " + who + " refused: " + ldap_err2string(code) +
                                      (detail.empty() ? "" : " (" + detail + ")"));
  }
  // Unbuffered, the library polls and reads twice for every entry it takes in: a result of
  // 100,000 entries costs 300,000 system calls. A read-ahead buffer under the messages (below
  // TLS, when there is TLS) takes them in as they arrive.
  Sockbuf* sb = nullptr;
  if (ldap_get_option(ld, LDAP_OPT_SOCKBUF, &sb) == LDAP_OPT_SUCCESS && sb) {
    ber_sockbuf_add_io(sb, &ber_sockbuf_io_readahead, LBER_SBIOD_LEVEL_PROVIDER, nullptr);
  }
  return c;
}

DirResult<LDAPMessage*> LdapConnection::Wait(int msgid, bool all, const std::atomic<bool>* cancel) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  while (true) {
    if (cancel && cancel->load()) return Abandon(msgid, MakeDirError(kDirLost, "cancelled"));
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      return Abandon(msgid, MakeDirError(kDirLost, uri_ + ": no answer within " +
                                                       std::to_string(timeoutMs_) + " ms"));
    }
    timeval slice = ToTimeval(static_cast<int>(std::min<long long>(left, kSliceMs)));
    LDAPMessage* message = nullptr;
    const int type =
        ldap_result(ld_, msgid, all ? LDAP_MSG_ALL : LDAP_MSG_RECEIVED, &slice, &message);
    if (type > 0 && message) return message;
    if (message) ldap_msgfree(message);
    if (type < 0) return Failure(ResultCodeOf(ld_), "waiting for the server");
  }
}

DirError LdapConnection::Abandon(int msgid, DirError why) {
  ldap_abandon_ext(ld_, msgid, nullptr, nullptr);
  // A server that does not answer in time may answer later, into the next request's wait.
  broken_ = true;
  return why;
}

DirResult<std::size_t> LdapConnection::Search(const LdapSearchRequest& request,
                                              const LdapEntryVisitor& visit,
                                              const std::atomic<bool>* cancel,
                                              const std::function<void()>& restart) {
  return SearchFollowing(request, visit, cancel, 0, restart);
}

DirResult<std::size_t> LdapConnection::SearchFollowing(const LdapSearchRequest& request,
                                                       const LdapEntryVisitor& visit,
                                                       const std::atomic<bool>* cancel, int hops,
                                                       const std::function<void()>& restart) {
  SigpipeGuard guard;
  std::vector<std::string> references;
  auto here = SearchHere(request, visit, cancel, references, restart);
  if (!here) return here;
  std::size_t total = *here;
  for (const auto& url : references) {
    auto there = FollowReference(request, url, visit, cancel, hops);
    if (!there) return there;
    total += *there;
  }
  return total;
}

DirResult<std::size_t> LdapConnection::FollowReference(const LdapSearchRequest& request,
                                                       const std::string& url,
                                                       const LdapEntryVisitor& visit,
                                                       const std::atomic<bool>* cancel, int hops) {
  const std::string incomplete = uri_ + ": the result below \"" + request.base +
                                 "\" is incomplete: part of it is held by " + url;
  if (hops >= kMaxReferralHops) {
    return MakeDirError(kDirLost, incomplete + " (more than " + std::to_string(kMaxReferralHops) +
                                      " referrals in a row)");
  }
  LDAPURLDesc* desc = nullptr;
  if (ldap_url_parse(url.c_str(), &desc) != LDAP_URL_SUCCESS) {
    return MakeDirError(kDirLost, incomplete + ", which is no usable LDAP URL");
  }
  std::string host = desc->lud_host ? desc->lud_host : "";
  if (host.find(':') != std::string::npos) host = "[" + host + "]";
  const std::string server = std::string(desc->lud_scheme ? desc->lud_scheme : "ldap") + "://" +
                             host +
                             (desc->lud_port > 0 ? ":" + std::to_string(desc->lud_port) : "");
  LdapSearchRequest there = request;
  if (desc->lud_dn && *desc->lud_dn) there.base = desc->lud_dn;
  ldap_free_urldesc(desc);
  // The reference names the object where the rest of the search goes on (RFC 4511 4.5.3): a
  // level's child itself, a subtree's subtree.
  if (request.scope == LDAP_SCOPE_ONELEVEL) there.scope = LDAP_SCOPE_BASE;
  // What other parts gave is visited already: no part can be started over.
  if (there.paging == LdapPaging::kRestartable) there.paging = LdapPaging::kAlways;
  if (host.empty()) return MakeDirError(kDirLost, incomplete + ", which names no server");

  auto connection = Open(server, options_);
  if (!connection) {
    return MakeDirError(kDirLost,
                        incomplete + ", which cannot be reached: " + connection.message());
  }
  auto found = (*connection)->SearchFollowing(there, visit, cancel, hops + 1, {});
  if (!found && found.error() != kDirNoSuchObject) {
    return MakeDirError(kDirLost, incomplete + ": " + found.message());
  }
  return found;
}

DirResult<std::size_t> LdapConnection::SearchHere(const LdapSearchRequest& request,
                                                  const LdapEntryVisitor& visit,
                                                  const std::atomic<bool>* cancel,
                                                  std::vector<std::string>& references,
                                                  const std::function<void()>& restart) {
  std::string cookie;
  const bool streamed = request.paging == LdapPaging::kRestartable && restart && !limited_;
  if (request.sizeLimit == 0 &&
      (request.paging == LdapPaging::kWhenLimited || streamed || pagingRefused_)) {
    bool limitReached = false;
    auto plain =
        SearchPage(request, visit, cancel, cookie, false, &limitReached, !streamed, references);
    if (plain || !limitReached) return plain;
    limited_ = true;
    if (streamed) restart();
    if (pagingRefused_) {
      return MakeDirError(kDirLost, uri_ + ": the result below \"" + request.base +
                                        "\" would be incomplete: it holds more entries than the "
                                        "server's size limit, and the server refuses paged "
                                        "results");
    }
    references.clear();
  }
  const bool paged = request.sizeLimit == 0;
  std::size_t total = 0;
  bool first = true;
  while (true) {
    auto page = SearchPage(request, visit, cancel, cookie, paged, nullptr, false, references);
    if (!page) {
      // A server may cap the page size (slapd's size.pr) or refuse paging altogether
      // (size.prtotal=disabled); either refuses the first page before sending anything.
      if (paged && first && lastCode_ == LDAP_ADMINLIMIT_EXCEEDED && lastCount_ == 0) {
        if (pageSize_ > 1) {
          pageSize_ = std::max(1, pageSize_ / 2);
          continue;
        }
        pagingRefused_ = true;
        return SearchHere(request, visit, cancel, references, restart);
      }
      return page.dirError();
    }
    first = false;
    total += *page;
    if (cookie.empty()) return total;
  }
}

DirResult<std::size_t> LdapConnection::SearchPage(const LdapSearchRequest& request,
                                                  const LdapEntryVisitor& visit,
                                                  const std::atomic<bool>* cancel,
                                                  std::string& cookie, bool paged,
                                                  bool* limitReached, bool hold,
                                                  std::vector<std::string>& references) {
  lastCode_ = LDAP_SUCCESS;
  lastCount_ = 0;
  std::vector<char*> attributes;
  for (const auto& a : request.attributes) attributes.push_back(const_cast<char*>(a.c_str()));
  attributes.push_back(nullptr);

  LDAPControl* pageControl = nullptr;
  if (paged) {
    berval c{};
    c.bv_val = cookie.data();
    c.bv_len = cookie.size();
    // Not critical: a server without paging answers the plain search.
    const int rc = ldap_create_page_control(ld_, static_cast<ber_int_t>(pageSize_),
                                            cookie.empty() ? nullptr : &c, 0, &pageControl);
    if (rc != LDAP_SUCCESS) return Failure(rc, "paged search");
  }
  LDAPControl* controls[2] = {pageControl, nullptr};
  timeval serverLimit = ToTimeval(((timeoutMs_ + 999) / 1000) * 1000);
  int msgid = 0;
  const int sent = ldap_search_ext(ld_, request.base.c_str(), request.scope, request.filter.c_str(),
                                   request.attributes.empty() ? nullptr : attributes.data(), 0,
                                   pageControl ? controls : nullptr, nullptr, &serverLimit,
                                   request.sizeLimit, &msgid);
  if (pageControl) ldap_control_free(pageControl);
  cookie.clear();
  if (sent != LDAP_SUCCESS) return Failure(sent, "search below \"" + request.base + "\"");

  // A plain search that may yet hit the server's limit keeps its entries until it knows: a
  // result cut short is asked again page by page, never handed on.
  using Chain = std::unique_ptr<LDAPMessage, decltype(&ldap_msgfree)>;
  std::vector<Chain> held;
  std::size_t count = 0;
  // Continuation references: the parts of the result other servers hold. A reference may list
  // several URLs of the same part; the first is followed.
  std::vector<std::string> pending;
  auto visitAll = [&](LDAPMessage* chain) {
    for (LDAPMessage* m = ldap_first_message(ld_, chain); m; m = ldap_next_message(ld_, m)) {
      if (ldap_msgtype(m) == LDAP_RES_SEARCH_ENTRY) visit(ld_, m);
    }
  };
  while (true) {
    auto arrived = Wait(msgid, false, cancel);
    if (!arrived) return arrived.dirError();
    Chain chain(*arrived, &ldap_msgfree);
    LDAPMessage* result = nullptr;
    for (LDAPMessage* m = ldap_first_message(ld_, chain.get()); m; m = ldap_next_message(ld_, m)) {
      const int type = ldap_msgtype(m);
      if (type == LDAP_RES_SEARCH_ENTRY) ++count;
      if (type == LDAP_RES_SEARCH_RESULT) result = m;
      if (type == LDAP_RES_SEARCH_REFERENCE) {
        char** urls = nullptr;
        if (ldap_parse_reference(ld_, m, &urls, nullptr, 0) == LDAP_SUCCESS) {
          for (char** u = urls; u && *u; ++u) pending.emplace_back(*u);
        }
        ldap_memvfree(reinterpret_cast<void**>(urls));
      }
    }
    lastCount_ = count;
    if (hold) {
      held.push_back(std::move(chain));
    } else {
      visitAll(chain.get());
    }
    if (!result) continue;

    int code = LDAP_OTHER;
    char* text = nullptr;
    char** referrals = nullptr;
    LDAPControl** serverControls = nullptr;
    const int rc =
        ldap_parse_result(ld_, result, &code, nullptr, &text, &referrals, &serverControls, 0);
    const std::string detail = text ? text : "";
    ldap_memfree(text);
    lastCode_ = code;
    // The base itself is held by another server.
    if (rc == LDAP_SUCCESS && code == LDAP_REFERRAL && referrals && referrals[0]) {
      pending.emplace_back(referrals[0]);
      code = LDAP_SUCCESS;
    }
    ldap_memvfree(reinterpret_cast<void**>(referrals));
    if (rc == LDAP_SUCCESS && code == LDAP_SUCCESS && serverControls) {
      if (LDAPControl* response =
              ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, serverControls, nullptr)) {
        ber_int_t estimate = 0;
        berval next{};
        if (ldap_parse_pageresponse_control(ld_, response, &estimate, &next) == LDAP_SUCCESS &&
            next.bv_val) {
          cookie.assign(next.bv_val, next.bv_len);
          ber_memfree(next.bv_val);
        }
      }
    }
    ldap_controls_free(serverControls);
    if (rc != LDAP_SUCCESS) return Failure(rc, "search below \"" + request.base + "\"");
    if (code == LDAP_SUCCESS) {
      for (const auto& c : held) visitAll(c.get());
      references.insert(references.end(), pending.begin(), pending.end());
      return count;
    }
    // A limited search asked for no more than it got.
    if (code == LDAP_SIZELIMIT_EXCEEDED && request.sizeLimit > 0) return count;
    if (limitReached &&
        (code == LDAP_SIZELIMIT_EXCEEDED || (code == LDAP_TIMELIMIT_EXCEEDED && !hold))) {
      *limitReached = true;
      return MakeDirError(kDirLost, uri_ + ": the server's size limit was reached");
    }
    std::string what = "search below \"" + request.base + "\"";
    if (code == LDAP_SIZELIMIT_EXCEEDED || code == LDAP_ADMINLIMIT_EXCEEDED ||
        code == LDAP_TIMELIMIT_EXCEEDED) {
      what += " cut short by the server after " + std::to_string(count) + " entries";
    }
    if (!detail.empty()) what += " (" + detail + ")";
    // A DN that cannot be spelled so is no object either (a country named by three letters).
    const bool noObject = code == LDAP_NO_SUCH_OBJECT || code == LDAP_INVALID_DN_SYNTAX;
    return MakeDirError(noObject ? kDirNoSuchObject : kDirLost,
                        uri_ + ": " + what + ": " + ldap_err2string(code));
  }
}

}  // namespace cvx
