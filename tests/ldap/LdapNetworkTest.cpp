// What only a network does to a directory: servers that go away, come back or stop answering,
// binds that are refused, and servers that limit how much one search may return.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <netinet/in.h>
#include <algorithm>
#include <chrono>

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"

namespace cvx::test {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const std::string kNet = R"(NDS:\\NET\NET)";
const std::string kWs = kNet + R"(\WS)";
constexpr int kShortTimeoutMs = 500;

LdapOptions ShortTimeout() {
  LdapOptions options = TestLdapOptions();
  options.timeoutMs = kShortTimeoutMs;
  return options;
}

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// A server of a test's own, holding the tree NET.
struct NetServer {
  explicit NetServer(int workstations = 3, SlapdSetup setup = {}) {
    setup.treeName = "NET";
    server = StartTreeServer(NetTreeLdif(workstations), setup, folder, &why);
  }
  TempFolder folder;
  std::string why;
  std::unique_ptr<SlapdServer> server;
};

DirectoryClientPtr OpenOrFail(const std::string& uri, const LdapOptions& options) {
  auto client = OpenDirectoryClientWith(uri, "", options);
  EXPECT_TRUE(client) << client.message();
  return client ? client.value() : nullptr;
}

// Accepts connections (the kernel does, from its backlog) and never says a word.
class SilentListener {
 public:
  SilentListener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(fd_, 16);
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length);
    port_ = ntohs(a.sin_port);
  }
  ~SilentListener() { ::close(fd_); }
  int Port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace

TEST(LdapConnectionLoss, AServerStartedAgainIsReconnectedAndAStoppedOneGives600Quickly) {
  NetServer net;
  ASSERT_TRUE(net.server) << net.why;
  auto client = OpenOrFail(net.server->Uri(), ShortTimeout());
  ASSERT_TRUE(client);
  auto control = client->CreateControl();
  ASSERT_TRUE(control->FindEntry(kWs + R"(\WS001)")) << "before any restart";

  // The connection in hand dies with the server; the look-up connects again and succeeds.
  net.server->Stop();
  ASSERT_TRUE(net.server->Start(&net.why)) << net.why;
  auto again = control->FindEntry(kWs + R"(\WS002)");
  EXPECT_TRUE(again) << again.message();
  auto found = SearchAndWait(*control, "WS*", "Workstation", kScopeSubtree, kNet);
  ASSERT_TRUE(found) << found.message();
  EXPECT_EQ(found->size(), 3u);

  // No server at all: the one new connection is refused at once, well within the timeout. (The
  // search's hits would still answer from its entries: the container is no hit.)
  net.server->Stop();
  auto start = Clock::now();
  auto lost = control->FindEntry(kWs);
  EXPECT_EQ(lost.error(), kDirLost) << lost.message();
  EXPECT_LT(MsSince(start), kShortTimeoutMs);
  start = Clock::now();
  auto failed = SearchAndWait(*control, "WS*", "Workstation", kScopeSubtree, kNet);
  EXPECT_EQ(failed.error(), kDirLost) << failed.message();
  EXPECT_LT(MsSince(start), kShortTimeoutMs);
  EXPECT_EQ(control->ContextEntries().error(), kDirLost);

  ASSERT_TRUE(net.server->Start(&net.why)) << net.why;
  control->SetContextPath(kWs);
  auto entries = control->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  EXPECT_EQ(entries->size(), 3u);
}

TEST(LdapConnectionLoss, AServerThatStopsAnsweringTimesOutAndIsUsedAgainWhenItAnswers) {
  NetServer net;
  ASSERT_TRUE(net.server) << net.why;
  auto client = OpenOrFail(net.server->Uri(), ShortTimeout());
  ASSERT_TRUE(client);
  auto control = client->CreateControl();
  ASSERT_TRUE(control->FindEntry(kNet));

  net.server->Pause();
  auto start = Clock::now();
  auto lookup = control->FindEntry(kWs + R"(\WS001)");
  EXPECT_EQ(lookup.error(), kDirLost) << lookup.message();
  EXPECT_GE(MsSince(start), kShortTimeoutMs - 50);
  EXPECT_LT(MsSince(start), 3 * kShortTimeoutMs);
  start = Clock::now();
  auto search = SearchAndWait(*control, "*", "Workstation", kScopeSubtree, kNet);
  EXPECT_EQ(search.error(), kDirLost) << search.message();
  EXPECT_LT(MsSince(start), 3 * kShortTimeoutMs);

  net.server->Resume();
  auto back = control->FindEntry(kWs + R"(\WS001)");
  EXPECT_TRUE(back) << back.message();
}

TEST(LdapConnectionLoss, AListenerThatNeverAnswersFailsTheOpenWithinTheTimeout) {
  SilentListener silent;
  const std::string port = std::to_string(silent.Port());
  for (const std::string& uri : {"ldap://127.0.0.1:" + port, "ldaps://127.0.0.1:" + port}) {
    for (const bool startTls : {false, true}) {
      LdapOptions options = ShortTimeout();
      options.startTls = startTls;
      const auto start = Clock::now();
      auto client = OpenDirectoryClientWith(uri, "", options);
      EXPECT_EQ(client.error(), kDirClientMissing) << uri;
      EXPECT_FALSE(client.message().empty());
      EXPECT_LT(MsSince(start), 3 * kShortTimeoutMs) << uri << (startTls ? " StartTLS" : "");
    }
  }
  // Nothing listening: refused at once.
  const int closed = FreeLoopbackPort();
  auto refused =
      OpenDirectoryClientWith("ldap://127.0.0.1:" + std::to_string(closed), "", ShortTimeout());
  EXPECT_EQ(refused.error(), kDirClientMissing);
}

// Servers that limit a search in each way they can; every entry arrives, in order. A page size
// the server refuses (size.pr) is halved until it takes one; a server that refuses paging
// altogether answers plainly what fits within its size limit. A result the server cuts short
// (prtotal, or more than the size limit without paging) is an error, never a short list.
TEST(LdapPaging, HitsBeyondTheServersSizeLimitAllArriveInOrderOrTheSearchFails) {
  struct Case {
    int pageSizeLimit, pagedLimit, workstations;
    const char* error;  // null: every hit arrives
  };
  for (const Case c :
       {Case{0, 0, 120, nullptr}, Case{3, 0, 120, nullptr}, Case{100, 0, 120, nullptr},
        Case{0, -1, 40, nullptr}, Case{0, 60, 120, "cut short"}, Case{0, -1, 120, "size limit"}}) {
    SlapdSetup limited;
    limited.sizeLimit = 50;
    limited.pageSizeLimit = c.pageSizeLimit;
    limited.pagedLimit = c.pagedLimit;
    NetServer net(c.workstations, limited);
    ASSERT_TRUE(net.server) << net.why;
    for (const int pageSize : {20, 500}) {
      SCOPED_TRACE("size.pr " + std::to_string(c.pageSizeLimit) + ", prtotal " +
                   std::to_string(c.pagedLimit) + ", page size " + std::to_string(pageSize));
      LdapOptions options = TestLdapOptions();
      options.pageSize = pageSize;
      auto client = OpenOrFail(net.server->Uri(), options);
      ASSERT_TRUE(client);
      auto control = client->CreateControl();
      for (int twice = 0; twice < 2; ++twice) {  // the second on the size that worked
        auto found = SearchAndWait(*control, "*", "Workstation", kScopeSubtree, kNet);
        if (c.error) {
          EXPECT_EQ(found.error(), kDirLost);
          EXPECT_NE(found.message().find(c.error), std::string::npos) << found.message();
          continue;
        }
        ASSERT_TRUE(found) << found.message();
        ASSERT_EQ(found->size(), static_cast<std::size_t>(c.workstations));
        EXPECT_EQ(found->front(), kWs + R"(\WS001)");
        EXPECT_EQ(found->back(), (*control->FindEntry(found->back()))->FullPath());
      }
      control->SetContextPath(kWs);
      control->SetClassFilter("Workstation");
      auto level = control->ContextEntries();
      if (c.error) {
        EXPECT_EQ(level.error(), kDirLost);
        continue;
      }
      ASSERT_TRUE(level) << level.message();
      EXPECT_EQ(level->size(), static_cast<std::size_t>(c.workstations));
    }
  }
}

}  // namespace cvx::test

namespace cvx::test {

// A part of the tree held by a second server (a referral object in the first): searches and
// look-ups go on there with the same options; while it cannot be reached, results are errors
// that say they are incomplete, never short lists.
TEST(LdapReferrals, APartHeldByAnotherServerIsFollowedOrTheResultIsIncomplete) {
  TempFolder folder;
  SlapdSetup eastSetup;
  eastSetup.treeName = "NET";
  const std::string eastLdif =
      "dn: o=NET\nobjectClass: organization\no: NET\n\n"
      "dn: ou=EAST,o=NET\nobjectClass: organizationalUnit\nou: EAST\n\n"
      "dn: cn=EWS1,ou=EAST,o=NET\nobjectClass: workstation\ncn: EWS1\n\n"
      "dn: cn=EWS2,ou=EAST,o=NET\nobjectClass: workstation\ncn: EWS2\n";
  std::string why;
  TempFolder eastFolder;
  auto east = StartTreeServer(eastLdif, eastSetup, eastFolder, &why);
  ASSERT_TRUE(east) << why;
  SlapdSetup mainSetup;
  mainSetup.treeName = "NET";
  const std::string mainLdif = NetTreeLdif(3) +
                               "dn: ou=EAST,o=NET\nobjectClass: referral\n"
                               "objectClass: extensibleObject\nou: EAST\nref: " +
                               east->Uri() + "/ou=EAST,o=NET\n";
  auto main = StartTreeServer(mainLdif, mainSetup, folder, &why);
  ASSERT_TRUE(main) << why;

  auto client = OpenOrFail(main->Uri(), TestLdapOptions());
  ASSERT_TRUE(client);
  auto control = client->CreateControl();
  const std::string ews1 = kNet + R"(\EAST\EWS1)";
  auto lookup = client->CreateControl();
  auto entry = lookup->FindEntry(ews1);
  ASSERT_TRUE(entry) << entry.message();
  EXPECT_EQ((*entry)->Layout().Name, "Workstation");
  EXPECT_EQ(lookup->FindEntry(kNet + R"(\EAST\NOBODY)").error(), kDirNoSuchObject);
  auto found = SearchAndWait(*control, "*WS*", "Workstation", kScopeSubtree, kNet);
  ASSERT_TRUE(found) << found.message();
  EXPECT_EQ(found->size(), 5u);
  EXPECT_NE(std::find(found->begin(), found->end(), ews1), found->end());

  east->Stop();
  auto cut = SearchAndWait(*control, "*WS*", "Workstation", kScopeSubtree, kNet);
  EXPECT_EQ(cut.error(), kDirLost);
  EXPECT_NE(cut.message().find("incomplete"), std::string::npos) << cut.message();
  EXPECT_EQ(lookup->FindEntry(kNet + R"(\EAST\EWS2)").error(), kDirLost);
}

}  // namespace cvx::test
