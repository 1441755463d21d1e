// What only a live tree can get wrong: typed names reaching the server, hits answered from a
// search, servers that go away, limit searches or hold part of the tree elsewhere.

#include <algorithm>
#include <chrono>

#include "LdapBackends.h"
#include "directory/ExtendedActionsProbe.h"

namespace cvx::test {

using namespace std::string_literals;

// A typed name reaches a server only inside an escaped filter, and the server's case folding
// beyond ASCII never widens what it finds: a live tree answers as the same tree's file does.
TEST(LdapTypedNames, FilterSyntaxIsTextAndLettersBeyondAsciiMatchOnlyAsSpelled) {
  auto live = LdapDirectoryBackend().Open("names", "");
  auto file = OpenDirectoryClient(FixtureFolder("names"), "");
  ASSERT_TRUE(live && file) << live.message() << file.message();
  auto liveControl = (*live)->CreateControl(), fileControl = (*file)->CreateControl();
  const std::string root = R"(NDS:\\NAMES)", a = R"(NDS:\\NAMES\NAMES\A\)",
                    b = R"(NDS:\\NAMES\NAMES\B\)";
  struct Case {
    std::string pattern;
    Names hits;
    std::string context = R"(NDS:\\NAMES)";
    int scope = kScopeSubtree;
  };
  const Case cases[] = {
      {"*)(cn=*", {a + "X)(CN=Y"}},
      {"x)(cn=y", {a + "X)(CN=Y"}},
      {"*(*", {a + "X)(CN=Y", a + "PAREN(1)"}},
      {"PAREN(1)", {a + "PAREN(1)"}},
      {R"(\)", {}},
      {R"(\2a)", {}},
      {"\0"s, {}},
      {"JOSEF\0*"s, {}},
      {"", {}},
      // A star in a name is matched by the wildcard like any other character.
      {"a*b", {a + "A*B", a + "AXB", b + "AB"}},
      {"STAR*", {a + "STAR*"}},
      {"JOSÉ", {a + "JOSÉ"}},
      {"JOSé", {b + "josé"}},  // ASCII letters fold, é does not
      {"jos*", {a + "JOSÉ", b + "josé", b + "Josef"}},
      {"*É*", {a + "JOSÉ", b + "WS-É1"}},
      {"*ü*", {b + "müller"}},
      {"Å*", {a + "ÅSA"}},
      {"Å*", {}, R"(NDS:\\NAMES\NAMES\B)", kScopeContainerOnly},
      {"åsa", {b + "åsa"}, R"(NDS:\\NAMES\NAMES\B)", kScopeContainerOnly},
      {"*\xC3", {}},  // half a letter
      {"\xFF*", {}},  // no UTF-8 at all
  };
  for (const Case& c : cases) {
    const auto hits =
        Hits(SearchAndWait(*liveControl, c.pattern, "User, Workstation", c.scope, c.context));
    EXPECT_EQ(hits, c.hits) << c.pattern;
    EXPECT_EQ(Hits(SearchAndWait(*fileControl, c.pattern, "User, Workstation", c.scope, c.context)),
              hits)
        << c.pattern;
  }
  EXPECT_EQ(Hits(SearchAndWait(*liveControl, "*", "User", kScopeSubtree, root)).size(), 13u);
  for (const auto& [names, there] :
       {std::pair{Names{a + "x)(cn=y", a + "JOSÉ", b + "JOSé", a + "A*B"}, true},
        {Names{a + "josé", b + "JOSÉ", a + "A*", a + "*", a + "PAREN(1+"}, false}}) {
    for (const auto& name : names) {
      const std::string shown = Shown(liveControl->FindEntry(name));
      EXPECT_EQ(shown != "error 601", there) << name << ": " << shown;
      EXPECT_EQ(Shown(fileControl->FindEntry(name)), shown) << name;
    }
  }
}

// Look-ups of a search's hits (a database build reads every one) are answered from the search's
// entries as the server would, in any order and case, a field not asked for from the server, and
// without the server after the completion too, until their control searches again.
TEST(LdapSearchDelivery, HitsAnswerFromTheSearchAsTheServerDoesUntilItsControlSearchesAgain) {
  auto client = LdapDirectoryBackend().Open("basic", ""),
       reference = LdapDirectoryBackend().Open("basic", "");
  auto* server = FixtureServer("basic", "ALPHA");
  ASSERT_TRUE(client && reference && server) << client.message();
  struct Restart {
    SlapdServer* server;
    ~Restart() {
      std::string why;
      EXPECT_TRUE(server->Running() || server->Start(&why)) << why;
    }
  } restart{server};
  auto search = (*client)->CreateControl(), lookup = (*client)->CreateControl();
  auto read = [](DirectoryControl& control, Names names, const char* field, bool reversed = false,
                 bool lower = false) {
    if (reversed) std::reverse(names.begin(), names.end());
    for (auto& name : names) {
      auto entry =
          control.FindEntry(lower ? QString::fromStdString(name).toLower().toStdString() : name);
      name = Shown(entry);
      auto values = entry ? (*entry)->GetFieldValue(field) : Names{};
      for (const auto& v : values ? *values : Names{"error " + values.message()}) name += "|" + v;
    }
    if (reversed) std::reverse(names.begin(), names.end());
    return names;
  };
  const Names names{kJsmithson, kJsmith, kJdoe, kJohnAlias};
  auto other = (*reference)->CreateControl();
  const Names given = read(*other, names, "Given Name"), surname = read(*other, names, "Surname");
  EXPECT_EQ(surname[3], surname[1]) << "the alias gives its object";
  const Names users(names.begin(), names.end() - 1),
      userSurnames(surname.begin(), surname.end() - 1);
  std::vector<Names> during;
  QObject::connect(search.get(), &DirectoryControl::SearchCompleted,
                   [&](const SearchOutcome& found) {
                     during = {Hits(found), read(*lookup, Hits(found), "Given Name")};
                     server->Stop();  // aliases aside, which name objects to look up
                     during.push_back(read(*lookup, users, "Surname", true));
                     during.push_back(read(*lookup, users, "Surname", false, true));
                   });
  search->SetSearchFields({"Surname"});
  EXPECT_EQ(Hits(SearchAndWait(*search, "J*", "User, Alias", kScopeSubtree, kAcme)), names);
  EXPECT_EQ(during, (std::vector<Names>{names, given, userSurnames, userSurnames}));
  EXPECT_EQ(read(*lookup, users, "Surname"), userSurnames);
  QObject::disconnect(search.get(), &DirectoryControl::SearchCompleted, nullptr, nullptr);
  SearchAndWait(*search, "J*", "User", kScopeSubtree, kAcme);
  EXPECT_EQ(Shown(lookup->FindEntry(kJsmith)), "error 600");
}

// A server with the stock schemas and the project's (the remote management extension is the demo
// tree's own), entries checked on loading; users carry their login addresses in an auxiliary class.
TEST(LdapStockSchema, AStockServerWithTheProjectSchemaServesEveryPath) {
  SlapdSetup setup;
  setup.treeName = "STOCK";
  setup.ldifPath = std::string(CVX_TEST_DATA_DIR) + "/stock/STOCK.ldif";
  setup.slapdSchemas = {"/etc/ldap/schema/core.schema", "/etc/ldap/schema/cosine.schema",
                        "/etc/ldap/schema/inetorgperson.schema",
                        std::string(CVX_LDAP_SCHEMA_DIR) + "/corvexa.schema",
                        std::string(CVX_SOURCE_DIR) + "/data/demo/CORP.schema"};
  setup.checkSchema = true;
  std::string why;
  auto server = SlapdServer::Create(setup, &why);
  ASSERT_TRUE(server) << why;
  auto client = OpenLive(server->Uri());
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  EXPECT_TRUE(ExtendedActionsSupported(**client));
  EXPECT_EQ(*ListServerNames(**client), Names{"FS1"});
  EXPECT_TRUE(control->SchemaLayouts()->Item("Login Information"));
  const std::string sales = R"(NDS:\\STOCK\ACME\SALES\)";
  EXPECT_EQ(Hits(SearchAndWait(*control, "j*", "User", kScopeSubtree, R"(NDS:\\STOCK)")),
            Names{sales + "JSMITH"});
  for (const auto& [name, field, read] :
       {std::tuple{"JSMITH", "Network Address", "TCP 10.0.0.21;IPX 00000077:08002BAABBCC:4003;"},
        {"JSMITH", "Full Name", "John Smith;"},
        {"JSMITH", "Login Time", "20240311070715Z;"},
        {"WS01", "WM:Network Address", "TCP 10.0.0.21;"}}) {
    auto entry = control->FindEntry(sales + name);
    std::string values = Shown(entry) + ":";
    for (const auto& v : entry ? *(*entry)->GetFieldValue(field) : Names{}) values += v + ";";
    EXPECT_EQ(values, sales + name + (name[0] == 'W' ? " (Workstation):" : " (User):") + read);
  }
}

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
      // What the search tells as it goes: a plain search the limit cuts starts over.
      Names told;
      const QMetaObject::Connection connections[] = {
          QObject::connect(control.get(), &DirectoryControl::SearchProgress,
                           [&](const SearchResults& more) {
                             told.insert(told.end(), more.begin(), more.end());
                             // Looked up out of turn while it goes: what a restart voids too.
                             for (int again = 0; again < 2; ++again) {
                               EXPECT_TRUE(control->FindEntry(more.front()));
                             }
                           }),
          QObject::connect(control.get(), &DirectoryControl::SearchRestarted,
                           [&] { told.clear(); })};
      for (int twice = 0; twice < 2; ++twice) {  // the second on the size that worked
        told.clear();
        const auto found = SearchAndWait(*control, "*", "Workstation", kScopeSubtree, kNet);
        if (c.error) {
          EXPECT_TRUE(found.error() == kDirLost && Holds(found.message(), c.error))
              << found.message();
        } else {
          EXPECT_EQ(Hits(found), hits);
          ASSERT_FALSE(told.empty());
          EXPECT_EQ(told, Names(hits.begin(), hits.begin() + static_cast<long>(told.size())));
          EXPECT_EQ(Shown(control->FindEntry(hits[hits.size() / 2])),
                    hits[hits.size() / 2] + " (Workstation)");
        }
      }
      for (const auto& connection : connections) QObject::disconnect(connection);
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
