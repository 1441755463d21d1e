#include <set>

#include "DirectoryConformance.h"

namespace cvx::test {

// Letter case never matters in what is asked; answers come in the directory's spelling, with the
// most specific structural class whatever order and auxiliary classes the object lists.
TEST_P(DirConformance, FindEntryAnswersInTheDirectorysSpellingWithTheMostSpecificClass) {
  struct Case {
    std::string name;
    const char* cls;
    std::string full = "";  // empty: the name asked for
  };
  const Case cases[] = {
      {R"(nds:\\alpha\acme\sales\jsmith)", "User", kJsmith},
      {R"(NDS:\\alpha)", "Top", kAlpha},
      {kJsmithson, "User"},  // only inetOrgPerson listed
      {kInitech + R"(\LAB-WS01)", "Lab Workstation"},
      {kInitech + R"(\PRINTER1\TRAY1)", "Lab Device"},
      {kInitech + R"(\austin)", "Locality", kInitech + R"(\AUSTIN)"},
      {kInitech + R"(\PROJECTS)", "Project Folder"},
      {kJohnAlias, "User", kJsmith},
      {R"(NDS:\\beta\betacorp\jsmith)", "User", kBetaJsmith},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shown(control_->FindEntry(c.name)),
              (c.full.empty() ? c.name : c.full) + " (" + c.cls + ")");
  }
}

// A name that is not there is 601 to every call; a search there fails, never finding nothing.
TEST_P(DirConformance, AMissingObjectIs601ToEveryCall) {
  for (const std::string& missing :
       {kSales + R"(\NOBODY)", kAcme + R"(\NOWHERE\JSMITH)", kJsmith + R"(\BELOW)",
        std::string(R"(NDS:\\NOTREE)"), std::string(R"(NDS:\\NOTREE\ACME)")}) {
    EXPECT_EQ(Shown(control_->FindEntry(missing)), "error 601") << missing;
    EXPECT_EQ(Listed(*control_, missing), Names{"error 601"}) << missing;
    EXPECT_EQ(control_->ContextPath(), missing);
    EXPECT_EQ(Shown(control_->ContextEntry()), "error 601") << missing;
    const auto outcome = SearchAndWait(*control_, "*", "User", kScopeSubtree, missing);
    EXPECT_TRUE(outcome.error() == kDirNoSuchObject && !outcome.message().empty()) << missing;
  }
}

// The class filter selects what is listed, also below entries handed out; a container whose
// entries are all filtered out still is one (a browser shows its expander); aliases list as such.
TEST_P(DirConformance, EnumerationsFollowTheClassFilterAndTellLeavesFromEmptyContainers) {
  struct Case {
    const char* filter;
    std::string name;
    Names listed;
  };
  const Case cases[] = {
      {"", kAcme, {"EMPTY", "FS2", "SALES", "SUPPORT"}},
      {" organizational unit ,USER", kAcme, {"EMPTY", "SALES", "SUPPORT"}},
      {"User, Workstation", kSales, {"JSMITH", "WS-SALES01"}},
      {"Country, Organization", kAlpha, {"ACME", "US"}},
      {"", R"(nds:\\alpha\acme\support)", {"JOHN", "JSMITHSON"}},
      {"User", kSupport, {"JSMITHSON"}},
      {"", kBeta + R"(\BETACORP)", {"BFS1", "JSMITH"}},
      {"", kJsmith, {"leaf"}},
      {"", kSales + R"(\WS-SALES01)", {"leaf"}},
      {"", kInitech + R"(\PRINTER1\TRAY1)", {"leaf"}},
      {"", kAcme + R"(\EMPTY)", {}},  // an organizational unit, a locality, a container class
      {"", kInitech + R"(\AUSTIN)", {}},
      {"", kInitech + R"(\PROJECTS)", {}},
      {"", kInitech, {"AUSTIN", "LAB-WS01", "PRINTER1", "PROJECTS"}},
      {"", kInitech + R"(\PRINTER1)", {"TRAY1"}},  // a leaf class holding an object
      {"Organizational Unit", kSales, {"EAST"}},
      {"Organizational Unit", kEast, {}},
  };
  for (const Case& c : cases) {
    auto control = Control("basic", "", c.filter);
    ASSERT_TRUE(control);
    EXPECT_EQ(Below(control->FindEntry(c.name)), c.listed) << c.filter << ": " << c.name;
    if (c.listed == Names{"leaf"}) continue;
    EXPECT_EQ(Listed(*control, c.name), c.listed) << c.filter << ": " << c.name;
    for (const auto& e : *control->ContextEntries()) {
      EXPECT_EQ(Below(e), Below(control->FindEntry(e->FullPath()))) << e->FullPath();
    }
  }
  for (const auto& [context, shown] :
       {std::pair{kSales,
                  std::set<std::string>{kEast + " (Organizational Unit)", kJsmith + " (User)",
                                        kSales + R"(\WS-SALES01 (Workstation))",
                                        kSales + R"(\FS1 (NCP Server))"}},
        {kSupport, {kJohnAlias + " (Alias)", kJsmithson + " (User)"}}}) {
    std::set<std::string> listed;
    control_->SetContextPath(context);
    for (const auto& e : *control_->ContextEntries()) listed.insert(Shown(e));
    EXPECT_EQ(listed, shown);
    EXPECT_EQ(Shown(control_->ContextEntry()), context + " (Organizational Unit)");
  }
}

// Fields are read by NDS name, every value in order; stored addresses the renderer knows read as
// text, anything else (a TCP value too short, no type tag) as hex, never a made-up address.
TEST_P(DirConformance, FieldValuesAreReadByNdsNameAndAddressesRendered) {
  auto addresses = Control("addresses");
  ASSERT_TRUE(addresses);
  const std::string net = R"(NDS:\\NET\NET\)";
  // Each value ends in ";".
  const std::tuple<DirectoryControl*, std::string, const char*, const char*> cases[] = {
      {control_.get(), kJsmith, "telephone NUMBER", "555-0101;555-0199;555-0150;"},
      {control_.get(), kJsmith, "Given Name", "John;"},
      {control_.get(), kJsmith, "ALPHA:Badge", "B-1001;"},
      {control_.get(), kJsmith, "Description", ""},  // in the class, not on the object
      {control_.get(), kJohnAlias, "Surname", "Smith;"},
      {addresses.get(), net + "WS-ADDR", "WM:Network Address",
       "IPX 010AFF2C:001B213C4D5E:4006;TCP 10.0.0.21;UDP 192.168.7.200;TCP 172.16.0.9;"
       "13 DEADBEEF;9 010203;7A7A;"},
      {addresses.get(), net + "ASMITH", "network address",
       "TCP 10.0.0.21;IPX 00000077:08002BAABBCC:4003;"},
      {addresses.get(), net + "IDLE", "Network Address", ";"},  // not logged in
      {addresses.get(), net + "WS-ADDR", "Description", "9#not an address;"},
      {addresses.get(), net + "WS-ADDR", "Network Address", ""},
  };
  for (const auto& [control, name, field, expected] : cases) {
    auto entry = control->FindEntry(name);
    ASSERT_TRUE(entry) << name << ": " << entry.message();
    auto values = (*entry)->GetFieldValue(field);
    std::string read = values ? "" : values.message();
    for (const auto& v : values ? *values : Names{}) read += v + ";";
    EXPECT_EQ(read, expected) << name << " " << field;
  }
}

// Hits come in directory order (here neither name order nor depth first), from every level below
// the context but not the context, in its tree only; the class list selects them, not the filter.
TEST_P(DirConformance, ScopePatternAndClassesSelectTheHits) {
  control_->SetClassFilter("Organizational Unit");
  const std::string ws1 = kSales + R"(\WS-SALES01)", fs1 = kSales + R"(\FS1)";
  const char* all = "User, Workstation, Organizational Unit, NCP Server";
  struct Case {
    const char *pattern, *classes;
    std::string context;
    SearchResults hits;
    int scope = kScopeSubtree;
  };
  const Case cases[] = {
      {"JDOE", "User", kAlpha, {kJdoe}},
      {"*", "Organizational Unit", kSales, {kEast}},
      {"SALES", "Organizational Unit", kSales, {}},
      {"*", all, kSales, {kEast, kJsmith, ws1, fs1}, kScopeContainerOnly},
      {"J*", "User", kAcme, {}, kScopeContainerOnly},
      {"*", "Organization, Country", kAlpha, {kAcme, kAlpha + R"(\US)"}, kScopeContainerOnly},
      // Without a wildcard the whole name must match: JSMITHSON is no hit for jsmith.
      {"jsmith", "user", kAcme, {kJsmith}},
      {"*son", "User", kAcme, {kJsmithson}},
      {"*SMITH*", "User", kAcme, {kJsmithson, kJsmith}},
      {"j*n", " user ,ALIAS ", kAcme, {kJsmithson, kJohnAlias}},
      {"J*", "User", R"(nds:\\alpha\acme\support)", {kJsmithson}},
      {"JSMITH", "User", kBeta, {kBetaJsmith}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hits(SearchAndWait(*control_, c.pattern, c.classes, c.scope, c.context)), c.hits)
        << c.pattern << " " << c.classes << " in " << c.context;
  }
}

// Searches of several controls overlap and complete separately, each once.
TEST_P(DirConformance, SearchesOfSeveralControlsCompleteSeparately) {
  std::vector<SearchOutcome> users;
  auto client = Client();
  ASSERT_TRUE(client);
  auto usersControl = client->CreateControl(), serversControl = client->CreateControl();
  QObject::connect(usersControl.get(), &DirectoryControl::SearchCompleted,
                   [&](const SearchOutcome& o) { users.push_back(o); });
  usersControl->StartSearch("J*", "User, Alias", kScopeSubtree, kAcme);
  EXPECT_EQ(Hits(SearchAndWait(*serversControl, "*", "NCP Server", kScopeSubtree, kAlpha)),
            (Names{kAcme + R"(\FS2)", kSales + R"(\FS1)"}));
  ASSERT_TRUE(WaitUntil([&] { return users.size() == 1; }));
  EXPECT_EQ(Hits(SearchAndWait(*usersControl, "J*", "User", kScopeSubtree, kBeta)),
            Names{kBetaJsmith});
  EXPECT_EQ(users.size(), 2u);
  EXPECT_EQ(Hits(users[0]), (Names{kJsmithson, kJsmith, kJdoe, kJohnAlias}));
}

// Layout fields run from the top class down without repeats; the schema is the context's tree's.
TEST_P(DirConformance, SchemaLayoutsAndFieldTypesAreEachTreesOwn) {
  auto fields = [&](const std::string& cls) {
    const auto layout = control_->SchemaLayouts()->Item(cls);
    std::string names;
    for (const auto& f : layout->Fields) names += f.Name + ";";
    return names;
  };
  const std::string workstation =
      "Object Class;CN;Description;WM:Network Address;"
      "WM:Operating System;WM:User Last Logged;WM:IP Address;";
  EXPECT_EQ(fields("WORKSTATION"), workstation);
  // Description, repeated, stays where the superclass put it.
  EXPECT_EQ(fields("lab workstation"), workstation + "Lab Seat;");
  EXPECT_EQ(fields("user"),  // three levels
            "Object Class;CN;Surname;Description;Telephone Number;Title;L;SA;Given Name;Full Name;"
            "Internet EMail Address;uniqueID;Network Address;Login Time;");

  // The extended remote actions are offered only when the schema has DM:ZEN File Transfer.
  for (const auto& [context, name, known] :
       {std::tuple{kAcme, "wm:network address", "WM:Network Address"},
        {kAcme, "Version", "Version"},
        {kAcme, "DM:ZEN File Transfer", "603"},
        {kAcme, "ALPHA:Badge", "ALPHA:Badge"},
        {kBeta, "ALPHA:Badge", "603"},
        {kBeta, "WM:Network Address", "WM:Network Address"},
        {kAcme, "ALPHA:Badge", "ALPHA:Badge"}}) {
    control_->SetContextPath(context);
    auto type = control_->FieldTypes()->Item(name);
    EXPECT_EQ(type ? type->Name : std::to_string(type.error()), known) << context << " " << name;
  }
  EXPECT_TRUE(control_->SchemaLayouts()->Item("ALPHA:Extras"));
  auto beta = Control("basic", "BETA");
  ASSERT_TRUE(beta);
  EXPECT_FALSE(beta->SchemaLayouts()->Item("ALPHA:Extras"));
  EXPECT_EQ(beta->FieldTypes()->Item("ALPHA:Badge").error(), kDirNoFieldType);
}

// The default context is the preferred tree, else the first by name; the servers are its own.
TEST_P(DirConformance, TreesServersAndTheDefaultContext) {
  for (const auto& [preferred, context, servers] :
       {std::tuple{"", kAlpha, Names{"FS2", "FS1"}}, std::tuple{"BETA", kBeta, Names{"BFS1"}},
        std::tuple{"GAMMA", kAlpha, Names{"FS2", "FS1"}}}) {
    auto client = Client("basic", preferred);
    ASSERT_TRUE(client);
    auto control = client->CreateControl();
    EXPECT_EQ(control->ContextPath(), context) << preferred;
    EXPECT_EQ(Shown(control->ContextEntry()), context + " (Top)");
    Names names;
    for (const auto& s : *client->CreateSession()->ServerNames()) names.push_back(s.ShortName);
    EXPECT_EQ(names, servers) << preferred;
  }
  EXPECT_EQ(control_->TreeNameOf(R"(NDS:\\beta\BETACORP\JSMITH)"), "BETA");
  EXPECT_EQ(control_->TreeNameOf(R"(NDS:\\Elsewhere\X)"), "Elsewhere");
  EXPECT_EQ(control_->JoinTreePath(control_->TreeNameOf(R"(NDS:\\alpha\acme)"), ""), kAlpha);
}

}  // namespace cvx::test
