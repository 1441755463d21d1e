
#include <algorithm>
#include <cctype>

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
        {Names{a + "josé", b + "JOSÉ", a + "A*", a + "*"}, false}}) {
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
  for (const auto* stock : {"core", "cosine", "inetorgperson"}) {
    setup.slapdSchemas.push_back(std::string("/etc/ldap/schema/") + stock + ".schema");
  }
  setup.slapdSchemas.push_back(std::string(CVX_LDAP_SCHEMA_DIR) + "/corvexa.schema");
  setup.slapdSchemas.push_back(std::string(CVX_SOURCE_DIR) + "/data/demo/CORP.schema");
  setup.checkSchema = true;
  std::string why;
  auto server = SlapdServer::Create(setup, &why);
  ASSERT_TRUE(server) << why;
  auto client = OpenLive(server->Uri());
  ASSERT_TRUE(client) << client.message();
  auto control = (*client)->CreateControl();
  EXPECT_EQ(control->ContextPath(), R"(NDS:\\STOCK)");
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

}  // namespace cvx::test
