
#include <chrono>

#include "LdapBackends.h"

namespace cvx::test {

namespace {

using namespace std::chrono_literals;
constexpr int kShortMs = 500;

using Clock = std::chrono::steady_clock;
long long MsSince(Clock::time_point start) {
  return (Clock::now() - start) / 1ms;
}

}  // namespace

// A stopped server fails look-ups, searches and opens at once; one that is silent (the kernel
// still accepts connections for it) within the timeout, with or without TLS; both are used again.
TEST(LdapConnectionLoss, LostServersGive600InTimeAndAreUsedAgainWhenBack) {
  NetServer net;
  ASSERT_TRUE(net.server) << net.why;
  auto client = OpenLive(net->Uri(), TestLdapOptions(kShortMs));
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  ASSERT_TRUE(control->FindEntry(kWs + R"(\WS001)"));
  net->Stop();
  ASSERT_TRUE(net->Start(&net.why)) << net.why;
  EXPECT_EQ(Hits(SearchAndWait(*control, "WS*", "Workstation", kScopeSubtree, kNet)).size(), 3u);

  const std::string port = std::to_string(net->Port());
  for (const bool pause : {false, true}) {
    pause ? net->Pause() : net->Stop();
    const long long bound = pause ? 3 * kShortMs : kShortMs;
    auto start = Clock::now();
    EXPECT_EQ(Shown(control->FindEntry(kWs)), "error 600") << pause;
    EXPECT_LT(MsSince(start), bound) << pause;
    EXPECT_GE(MsSince(start), pause ? kShortMs - 50 : 0) << "no wait for the timeout";
    start = Clock::now();
    EXPECT_EQ(Hits(SearchAndWait(*control, "*", "Workstation", kScopeSubtree, kNet)),
              Names{"error 600"});
    EXPECT_LT(MsSince(start), bound) << pause;
    EXPECT_EQ(Listed(*control, kWs), Names{"error 600"});
    for (const std::string& uri : {"ldap://127.0.0.1:" + port, "ldaps://127.0.0.1:" + port}) {
      for (const bool startTls : {false, true}) {
        LdapOptions options = TestLdapOptions(kShortMs);
        options.startTls = startTls;
        start = Clock::now();
        EXPECT_EQ(OpenLive(uri, options).error(), kDirClientMissing) << uri;
        EXPECT_LT(MsSince(start), bound) << uri << (startTls ? " StartTLS" : "") << pause;
      }
    }
    if (pause) {
      net->Resume();
    } else {
      ASSERT_TRUE(net->Start(&net.why)) << net.why;
    }
    EXPECT_EQ(Listed(*control, kWs), (Names{"WS001", "WS002", "WS003"})) << pause;
  }
}

// Every hit arrives in order: a refused page size (size.pr) is halved until one is taken, a server
// without paging answers what fits its size limit; a result cut short is an error, never short.
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
    Names level, hits;
    for (int i = 1; i <= c.workstations; ++i) {
      level.push_back("WS" + std::to_string(1000 + i).substr(1));
      hits.push_back(kWs + "\\" + level.back());
    }
    for (const int pageSize : {20, 500}) {
      SCOPED_TRACE("size.pr " + std::to_string(c.pageSizeLimit) + ", prtotal " +
                   std::to_string(c.pagedLimit) + ", page size " + std::to_string(pageSize));
      LdapOptions options = TestLdapOptions();
      options.pageSize = pageSize;
      auto client = OpenLive(net->Uri(), options);
      ASSERT_TRUE(client) << client.message();
      auto control = (*client)->CreateControl();
      for (int twice = 0; twice < 2; ++twice) {  // the second on the size that worked
        const auto found = SearchAndWait(*control, "*", "Workstation", kScopeSubtree, kNet);
        if (c.error) {
          EXPECT_TRUE(found.error() == kDirLost && Holds(found.message(), c.error))
              << found.message();
        } else {
          EXPECT_EQ(Hits(found), hits);
        }
      }
      control->SetClassFilter("Workstation");
      EXPECT_EQ(Listed(*control, kWs), c.error ? Names{"error 600"} : level);
    }
  }
}

// A part of the tree held by another server (a referral) is followed; while it cannot be reached,
// results are errors saying they are incomplete, never short lists.
TEST(LdapReferrals, APartHeldByAnotherServerIsFollowedOrTheResultIsIncomplete) {
  NetServer east(0, {},
                 std::string("dn: ou=EAST,o=NET\nobjectClass: organizationalUnit\nou: EAST\n\n") +
                     "dn: cn=EWS1,ou=EAST,o=NET\nobjectClass: workstation\ncn: EWS1\n\n" +
                     "dn: cn=EWS2,ou=EAST,o=NET\nobjectClass: workstation\ncn: EWS2\n");
  ASSERT_TRUE(east.server) << east.why;
  NetServer main(3, {},
                 "dn: ou=EAST,o=NET\nobjectClass: referral\nobjectClass: extensibleObject\n"
                 "ou: EAST\nref: " +
                     east->Uri() + "/ou=EAST,o=NET\n");
  ASSERT_TRUE(main.server) << main.why;
  auto client = OpenLive(main->Uri());
  ASSERT_TRUE(client) << client.message();
  auto search = (*client)->CreateControl(), lookup = (*client)->CreateControl();
  const std::string ews = kNet + R"(\EAST\EWS)";
  EXPECT_EQ(Shown(lookup->FindEntry(ews + "1")), ews + "1 (Workstation)");
  EXPECT_EQ(Shown(lookup->FindEntry(kNet + R"(\EAST\NOBODY)")), "error 601");
  EXPECT_EQ(Hits(SearchAndWait(*search, "*WS*", "Workstation", kScopeSubtree, kNet)),
            (Names{kWs + R"(\WS001)", kWs + R"(\WS002)", kWs + R"(\WS003)", ews + "1", ews + "2"}));
  east->Stop();
  const auto cut = SearchAndWait(*search, "*WS*", "Workstation", kScopeSubtree, kNet);
  EXPECT_TRUE(cut.error() == kDirLost && Holds(cut.message(), "incomplete")) << cut.message();
  EXPECT_EQ(Shown(lookup->FindEntry(ews + "2")), "error 600");
}

}  // namespace cvx::test
