// What only a live tree can get wrong in searches and look-ups: typed names reaching the server,
// hits answered from the search's own entries, and a server set up with the stock schemas.

#include <algorithm>
#include <cctype>

#include "LdapBackends.h"
#include "directory/ExtendedActionsProbe.h"

namespace cvx::test {

using namespace std::string_literals;

// A typed name reaches a server only inside an escaped filter, and the server's own rules (which
// fold letter case beyond ASCII) never widen what it finds: a live tree answers every pattern and
// look-up exactly as the same tree read from its file does.
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
  for (const auto& [name, there] : {std::pair{a + "x)(cn=y", true},
                                    {a + "JOSÉ", true},
                                    {a + "josé", false},
                                    {b + "JOSÉ", false},
                                    {b + "JOSé", true},
                                    {a + "A*B", true},
                                    {a + "A*", false},
                                    {a + "*", false}}) {
    const std::string shown = Shown(liveControl->FindEntry(name));
    EXPECT_EQ(shown != "error 601", there) << name << ": " << shown;
    EXPECT_EQ(Shown(fileControl->FindEntry(name)), shown) << name;
  }
}

// While a search's completion is handled, look-ups of what it found are answered from the
// search's own entries (a database build reads every hit): they answer exactly as the server
// does, in any order and letter case, aliases giving their objects. A search asked for some
// fields only still answers the others, from the server.
TEST(LdapSearchDelivery, LookUpsDuringTheCompletionAnswerAsTheServerDoes) {
  auto client = LdapDirectoryBackend().Open("basic", "");
  ASSERT_TRUE(client) << client.message();
  auto search = (*client)->CreateControl(), lookup = (*client)->CreateControl();
  auto read = [&](Names names, bool reversed, bool lower) {
    if (reversed) std::reverse(names.begin(), names.end());
    for (auto& name : names) {
      auto entry =
          lookup->FindEntry(lower ? QString::fromStdString(name).toLower().toStdString() : name);
      name = Shown(entry);
      for (const char* field : {"Surname", "Given Name"}) {
        auto values = entry ? (*entry)->GetFieldValue(field) : Names{};
        for (const auto& v : values ? *values : Names{"error " + values.message()}) name += "|" + v;
      }
    }
    if (reversed) std::reverse(names.begin(), names.end());
    return names;
  };
  const Names names{kJsmithson, kJsmith, kJdoe, kJohnAlias};
  const Names fromServer = read(names, false, false);
  EXPECT_EQ(fromServer[3], fromServer[1]) << "the alias gives its object";
  std::vector<Names> during;
  QObject::connect(search.get(), &DirectoryControl::SearchCompleted,
                   [&](const SearchOutcome& found) {
                     during = {Hits(found), read(Hits(found), false, false),
                               read(Hits(found), true, false), read(Hits(found), false, true)};
                   });
  search->SetSearchFields({"Surname"});
  EXPECT_EQ(Hits(SearchAndWait(*search, "J*", "User, Alias", kScopeSubtree, kAcme)), names);
  EXPECT_EQ(during, (std::vector<Names>{names, fromServer, fromServer, fromServer}));
}

// The hits are answered from the search's entries, not asked again: they still answer when the
// server has gone meanwhile, after the completion too (a build looks them up in later turns),
// until the control searches again.
TEST(LdapSearchDelivery, HitsAnswerFromTheSearchUntilItsControlSearchesAgain) {
  NetServer net(5);
  ASSERT_TRUE(net.server) << net.why;
  auto client = OpenLive(net->Uri());
  ASSERT_TRUE(client) << client.message();
  auto search = (*client)->CreateControl(), lookup = (*client)->CreateControl();
  Names during;
  auto connection = QObject::connect(search.get(), &DirectoryControl::SearchCompleted,
                                     [&](const SearchOutcome& found) {
                                       net->Stop();
                                       for (const auto& name : Hits(found))
                                         during.push_back(Shown(lookup->FindEntry(name)));
                                     });
  const Names found = Hits(SearchAndWait(*search, "*", "Workstation", kScopeSubtree, kNet));
  ASSERT_EQ(found.size(), 5u);
  ASSERT_EQ(during.size(), 5u);
  EXPECT_EQ(during.back(), found.back() + " (Workstation)");
  EXPECT_EQ(Shown(lookup->FindEntry(found.front())), found.front() + " (Workstation)");
  QObject::disconnect(connection);
  SearchAndWait(*search, "*", "Workstation", kScopeSubtree, kNet);
  EXPECT_EQ(Shown(lookup->FindEntry(found.front())), "error 600");
}

// A server set up as an administrator would: the stock schemas plus the project's schema files,
// entries checked against them on loading. Users carry their login addresses through the
// auxiliary class; the remote management extension is the demo tree's own schema file.
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
  const std::string sales = R"(NDS:\\STOCK\ACME\SALES\)";
  for (const auto& [name, field, values] :
       {std::tuple{"JSMITH", "Network Address",
                   Names{"TCP 10.0.0.21", "IPX 00000077:08002BAABBCC:4003"}},
        {"JSMITH", "Full Name", Names{"John Smith"}},
        {"JSMITH", "Login Time", Names{"20240311070715Z"}},
        {"WS01", "WM:Network Address", Names{"TCP 10.0.0.21"}}}) {
    auto entry = control->FindEntry(sales + name);
    ASSERT_TRUE(entry) << entry.message();
    EXPECT_EQ(*(*entry)->GetFieldValue(field), values) << field;
  }
  EXPECT_EQ(Shown(control->FindEntry(sales + "JSMITH")), sales + "JSMITH (User)");
  EXPECT_EQ(Shown(control->FindEntry(sales + "WS01")), sales + "WS01 (Workstation)");
  EXPECT_EQ(Hits(SearchAndWait(*control, "j*", "User", kScopeSubtree, R"(NDS:\\STOCK)")),
            Names{sales + "JSMITH"});
  EXPECT_TRUE(control->SchemaLayouts()->Item("Login Information"));
}

}  // namespace cvx::test
