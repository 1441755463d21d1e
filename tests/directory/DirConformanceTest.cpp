// What every directory backend answers alike, run against each of them.

#include <algorithm>
#include <map>
#include <set>

#include "DirectoryConformance.h"

namespace cvx::test {

// Letter case never matters in what is asked, and answers come in the directory's spelling. The
// class is the most specific structural one, whatever order the object lists its classes in and
// whatever auxiliary classes it carries; an alias is found as its object.
TEST_P(DirConformance, FindEntryAnswersInTheDirectorysSpellingWithTheMostSpecificClass) {
  auto control = Control();
  ASSERT_TRUE(control);
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
      {kAlpha + R"(\US)", "Country"},
      {kAcme + R"(\FS2)", "NCP Server"},
      {kJohnAlias, "User", kJsmith},
      {R"(NDS:\\beta\betacorp\jsmith)", "User", kBetaJsmith},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shown(control->FindEntry(c.name)),
              (c.full.empty() ? c.name : c.full) + " (" + c.cls + ")");
  }
}

// A name that is not there is 601 to every call, and a search there fails instead of completing
// with nothing found.
TEST_P(DirConformance, AMissingObjectIs601ToEveryCall) {
  auto control = Control();
  ASSERT_TRUE(control);
  for (const std::string& missing :
       {kSales + R"(\NOBODY)", kAcme + R"(\NOWHERE\JSMITH)", kJsmith + R"(\BELOW)",
        std::string(R"(NDS:\\NOTREE)"), std::string(R"(NDS:\\NOTREE\ACME)")}) {
    EXPECT_EQ(Shown(control->FindEntry(missing)), "error 601") << missing;
    control->SetContextPath(missing);
    EXPECT_EQ(control->ContextPath(), missing);
    EXPECT_EQ(Shown(control->ContextEntry()), "error 601") << missing;
    EXPECT_EQ(Listed(*control, missing), Names{"error 601"}) << missing;
    const auto outcome = SearchAndWait(*control, "*", "User", kScopeSubtree, missing);
    EXPECT_EQ(Hits(outcome), Names{"error 601"}) << missing;
    EXPECT_FALSE(outcome.message().empty()) << missing;
  }
}

// The class filter selects what enumerations list, blanks and letter case aside, and entries keep
// the filter of the control that produced them. A browser shows an expander for a container even
// when nothing below it passes the filter, and none for a leaf; an alias is listed as itself.
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
    if (c.listed != Names{"leaf"}) {
      EXPECT_EQ(Listed(*control, c.name), c.listed) << c.filter << ": " << c.name;
      for (const auto& e : *control->ContextEntries()) {
        EXPECT_EQ(Below(e), Below(control->FindEntry(e->FullPath()))) << e->FullPath();
      }
    }
  }
  auto control = Control();
  ASSERT_TRUE(control);
  for (const auto& [context, shown] :
       {std::pair{kSales,
                  std::set<std::string>{kEast + " (Organizational Unit)", kJsmith + " (User)",
                                        kSales + R"(\WS-SALES01 (Workstation))",
                                        kSales + R"(\FS1 (NCP Server))"}},
        {kSupport, {kJohnAlias + " (Alias)", kJsmithson + " (User)"}}}) {
    control->SetContextPath(context);
    std::set<std::string> listed;
    for (const auto& e : *control->ContextEntries()) listed.insert(Shown(e));
    EXPECT_EQ(listed, shown);
    EXPECT_EQ(Shown(control->ContextEntry()), context + " (Organizational Unit)");
  }
}

// Fields are read by their NDS names in any letter case, every value in order; every backend
// hands stored addresses to one renderer: the kinds it knows as text, anything else (a TCP value
// too short, a value without a type tag) as hex, never a made-up address.
TEST_P(DirConformance, FieldValuesAreReadByNdsNameAndAddressesRendered) {
  std::map<std::string, std::unique_ptr<DirectoryControl>> controls;
  for (const char* fixture : {"basic", "addresses"})
    ASSERT_TRUE(controls[fixture] = Control(fixture));
  const std::string net = R"(NDS:\\NET\NET)";
  struct Case {
    const char* fixture;
    std::string name, field;
    Names values;
  };
  const Case cases[] = {
      {"basic", kJsmith, "telephone NUMBER", {"555-0101", "555-0199", "555-0150"}},
      {"basic", kJsmith, "CN", {"JSMITH"}},
      {"basic", kJsmith, "Given Name", {"John"}},
      {"basic", kJsmith, "Internet EMail Address", {"jsmith@acme.example"}},
      {"basic", kJsmith, "ALPHA:Badge", {"B-1001"}},
      {"basic", kJsmith, "Description", {}},  // in the class, not on the object
      {"basic", kJohnAlias, "Surname", {"Smith"}},
      {"addresses",
       net + R"(\WS-ADDR)",
       "WM:Network Address",
       {"IPX 010AFF2C:001B213C4D5E:4006", "TCP 10.0.0.21", "UDP 192.168.7.200", "TCP 172.16.0.9",
        "13 DEADBEEF", "9 010203", "7A7A"}},
      {"addresses",
       net + R"(\ASMITH)",
       "network address",
       {"TCP 10.0.0.21", "IPX 00000077:08002BAABBCC:4003"}},
      {"addresses", net + R"(\IDLE)", "Network Address", {""}},  // not logged in
      {"addresses", net + R"(\WS-ADDR)", "Description", {"9#not an address"}},
      {"addresses", net + R"(\WS-ADDR)", "Network Address", {}},
  };
  for (const Case& c : cases) {
    auto entry = controls[c.fixture]->FindEntry(c.name);
    ASSERT_TRUE(entry) << c.name << ": " << entry.message();
    auto values = (*entry)->GetFieldValue(c.field);
    EXPECT_EQ(values ? *values : Names{values.message()}, c.values) << c.name << " " << c.field;
  }
}

// Results come in directory order, which in this tree is neither name order nor depth first. The
// subtree scope covers every level below the context but not the context and stays in its tree;
// names, classes and the context match without regard to case; the class list selects the hits
// and the control's class filter does not.
TEST_P(DirConformance, ScopePatternAndClassesSelectTheHits) {
  auto control = Control("basic", "", "Organizational Unit");
  ASSERT_TRUE(control);
  struct Case {
    const char *pattern, *classes;
    int scope;
    std::string context;
    SearchResults hits;
  };
  const Case cases[] = {
      {"JDOE", "User", kScopeSubtree, kAlpha, {kJdoe}},
      {"*", "Organizational Unit", kScopeSubtree, kSales, {kEast}},
      {"SALES", "Organizational Unit", kScopeSubtree, kSales, {}},
      {"*",
       "User, Workstation, Organizational Unit, NCP Server",
       kScopeContainerOnly,
       kSales,
       {kEast, kJsmith, kSales + R"(\WS-SALES01)", kSales + R"(\FS1)"}},
      {"J*", "User", kScopeContainerOnly, kAcme, {}},
      {"*", "Organization, Country", kScopeContainerOnly, kAlpha, {kAcme, kAlpha + R"(\US)"}},
      // Without a wildcard the whole name must match: JSMITHSON is no hit for jsmith.
      {"jsmith", "user", kScopeSubtree, kAcme, {kJsmith}},
      {"*son", "User", kScopeSubtree, kAcme, {kJsmithson}},
      {"*SMITH*", "User", kScopeSubtree, kAcme, {kJsmithson, kJsmith}},
      {"j*n", " user ,ALIAS ", kScopeSubtree, kAcme, {kJsmithson, kJohnAlias}},
      {"J*", "User", kScopeSubtree, R"(nds:\\alpha\acme\support)", {kJsmithson}},
      {"J*", "Workstation", kScopeSubtree, kAcme, {}},
      {"JSMITH", "User", kScopeSubtree, kBeta, {kBetaJsmith}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hits(SearchAndWait(*control, c.pattern, c.classes, c.scope, c.context)), c.hits)
        << c.pattern << " " << c.classes << " in " << c.context;
  }
}

// Each search completes once, later, through the event loop; searches of several controls
// complete separately.
TEST_P(DirConformance, EachSearchCompletesOnceThroughTheEventLoop) {
  auto client = Client();
  ASSERT_TRUE(client);
  auto users = client->CreateControl(), servers = client->CreateControl();
  SearchRecorder usersDone(*users), serversDone(*servers);
  users->StartSearch("J*", "User, Alias", kScopeSubtree, kAcme);
  servers->StartSearch("*", "NCP Server", kScopeSubtree, kAlpha);
  EXPECT_TRUE(usersDone.outcomes.empty() && serversDone.outcomes.empty()) << "completed at once";
  ASSERT_TRUE(usersDone.WaitFor(1) && serversDone.WaitFor(1));
  users->StartSearch("J*", "User", kScopeSubtree, kBeta);
  EXPECT_EQ(usersDone.outcomes.size(), 1u) << "completed at once";
  ASSERT_TRUE(usersDone.WaitFor(2));
  EXPECT_EQ(Hits(usersDone.outcomes[0]), (Names{kJsmithson, kJsmith, kJdoe, kJohnAlias}));
  EXPECT_EQ(Hits(usersDone.outcomes[1]), Names{kBetaJsmith});
  EXPECT_EQ(Hits(serversDone.outcomes[0]), (Names{kAcme + R"(\FS2)", kSales + R"(\FS1)"}));
  EXPECT_EQ(serversDone.outcomes.size(), 1u);
}

// Layout fields run from the top class down without repeats; the schema follows the control's
// context from tree to tree, and the default tree's at first.
TEST_P(DirConformance, SchemaLayoutsAndFieldTypesAreEachTreesOwn) {
  auto alpha = Control(), beta = Control("basic", "BETA");
  ASSERT_TRUE(alpha && beta);
  auto fields = [&](const std::string& cls) {
    const auto layout = alpha->SchemaLayouts()->Item(cls);
    Names names;
    for (const auto& f : layout->Fields) names.push_back(f.Name);
    return names;
  };
  Names workstation{"Object Class",        "CN",
                    "Description",         "WM:Network Address",
                    "WM:Operating System", "WM:User Last Logged",
                    "WM:IP Address"};
  EXPECT_EQ(fields("WORKSTATION"), workstation);
  workstation.push_back("Lab Seat");  // Description, repeated, stays where the superclass put it
  EXPECT_EQ(fields("lab workstation"), workstation);
  // Three levels; some fields have no fixed NDS name, so only those that have one are checked.
  Names user = fields("user");
  EXPECT_EQ(std::set<std::string>(user.begin(), user.end()).size(), 14u);
  EXPECT_EQ(user.size(), 14u);
  const Names named{
      "Object Class",    "CN",        "Surname",    "Description", "Telephone Number",
      "Title",           "L",         "Given Name", "Full Name",   "Internet EMail Address",
      "Network Address", "Login Time"};
  std::erase_if(
      user, [&](const auto& f) { return std::find(named.begin(), named.end(), f) == named.end(); });
  EXPECT_EQ(user, named);

  // The extended remote actions are offered only when the schema has DM:ZEN File Transfer.
  for (const auto& [context, name, known] :
       {std::tuple{kAcme, "wm:network address", "WM:Network Address"},
        {kAcme, "Version", "Version"},
        {kAcme, "DM:ZEN File Transfer", "603"},
        {kAcme, "ALPHA:Badge", "ALPHA:Badge"},
        {kBeta, "ALPHA:Badge", "603"},
        {kBeta, "WM:Network Address", "WM:Network Address"},
        {kAcme, "ALPHA:Badge", "ALPHA:Badge"}}) {
    alpha->SetContextPath(context);
    auto type = alpha->FieldTypes()->Item(name);
    EXPECT_EQ(type ? type->Name : std::to_string(type.error()), known) << context << " " << name;
  }
  EXPECT_TRUE(alpha->SchemaLayouts()->Item("ALPHA:Extras"));
  EXPECT_FALSE(beta->SchemaLayouts()->Item("ALPHA:Extras"));
  EXPECT_EQ(beta->FieldTypes()->Item("ALPHA:Badge").error(), kDirNoFieldType);
}

// The default context is the preferred tree, else the first by name; tree names are spelled as
// the directory spells them; the servers are the default tree's, in directory order.
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
  auto control = Control();
  ASSERT_TRUE(control);
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\beta\BETACORP\JSMITH)"), "BETA");
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\Elsewhere\X)"), "Elsewhere");
  EXPECT_EQ(control->JoinTreePath(control->TreeNameOf(R"(NDS:\\alpha\acme)"), ""), kAlpha);
}

}  // namespace cvx::test
