#include "DirectoryConformance.h"

namespace cvx::test {

TEST_P(DirSearch, CompletionArrivesLaterThroughTheEventLoopOncePerSearch) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  SearchRecorder recorder(*control);
  control->StartSearch("J*", "User", kScopeSubtree, kAcme);
  EXPECT_TRUE(recorder.Completions().empty()) << "completed inside StartSearch";
  ASSERT_TRUE(recorder.WaitFor(1));
  control->StartSearch("*", "NCP Server", kScopeSubtree, kAlpha);
  EXPECT_EQ(recorder.Completions().size(), 1u) << "completed inside StartSearch";
  ASSERT_TRUE(recorder.WaitFor(2));
  EXPECT_EQ(recorder.Completions(),
            (std::vector<SearchResults>{{kJsmithson, kJsmith, kJdoe},
                                        {kAcme + R"(\FS2)", kSales + R"(\FS1)"}}));
}

// Results come in directory order, which in this tree is neither name order nor depth first. The
// subtree scope covers every level below the context but not the context; names, classes and
// the context match without regard to case; the class list selects the hits and the control's
// class filter does not.
TEST_P(DirSearch, ScopePatternAndClassesSelectTheHits) {
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
      {"J*", "User, Alias", kScopeSubtree, kAcme, {kJsmithson, kJsmith, kJdoe, kJohnAlias}},
      {"J*", "Workstation", kScopeSubtree, kAcme, {}},
      {"NOBODY*", "User", kScopeSubtree, kAlpha, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Search(*control, c.pattern, c.classes, c.scope, c.context), c.hits)
        << c.pattern << " " << c.classes << " in " << c.context;
  }
}

// A search that cannot run says why, so that a caller never takes it for one that found nothing.
TEST_P(DirSearch, AMissingContextIsAnError) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  for (const std::string& context : {kAcme + R"(\NOWHERE)", std::string(R"(NDS:\\NOTREE)")}) {
    const auto outcome = SearchAndWait(*control, "*", "User", kScopeSubtree, context);
    EXPECT_EQ(outcome.error(), kDirNoSuchObject) << context;
    EXPECT_FALSE(outcome.message().empty()) << context;
  }
}

TEST_P(DirSearch, SearchesOfSeveralControlsCompleteSeparately) {
  auto client = Client("basic");
  ASSERT_TRUE(client);
  auto users = client->CreateControl();
  auto servers = client->CreateControl();
  auto other = client->CreateControl();
  SearchRecorder usersDone(*users), serversDone(*servers), otherDone(*other);
  users->StartSearch("J*", "User", kScopeSubtree, kAcme);
  servers->StartSearch("*", "NCP Server", kScopeSubtree, kAlpha);
  other->StartSearch("J*", "User", kScopeSubtree, kBeta);
  ASSERT_TRUE(usersDone.WaitFor(1) && serversDone.WaitFor(1) && otherDone.WaitFor(1));
  EXPECT_EQ(usersDone.Completions(), (std::vector<SearchResults>{{kJsmithson, kJsmith, kJdoe}}));
  EXPECT_EQ(serversDone.Completions(),
            (std::vector<SearchResults>{{kAcme + R"(\FS2)", kSales + R"(\FS1)"}}));
  EXPECT_EQ(otherDone.Completions(), (std::vector<SearchResults>{{kBetaJsmith}}));
}

}  // namespace cvx::test
