#include "DirectoryConformance.h"

namespace cvx::test {

TEST_P(DirSearch, CompletionArrivesLaterThroughTheEventLoopOncePerSearch) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  SearchRecorder recorder(*control);

  control->StartSearch("J*", "User", kScopeSubtree, kAcme);
  EXPECT_TRUE(recorder.Completions().empty()) << "completed inside StartSearch";
  ASSERT_TRUE(recorder.WaitFor(1));
  EXPECT_EQ(recorder.Completions()[0], (SearchResults{kJsmithson, kJsmith, kJdoe}));

  control->StartSearch("*", "NCP Server", kScopeSubtree, kAlpha);
  EXPECT_EQ(recorder.Completions().size(), 1u) << "completed inside StartSearch";
  ASSERT_TRUE(recorder.WaitFor(2));
  EXPECT_EQ(recorder.Completions()[1], (SearchResults{kAcme + R"(\FS2)", kSales + R"(\FS1)"}));
  EXPECT_EQ(recorder.Completions().size(), 2u);
}

// Results come in directory order, which in this tree is neither name order nor depth first.
TEST_P(DirSearch, SubtreeScopeCoversEveryLevelBelowTheContextButNotTheContext) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  EXPECT_EQ(Search(*control, "J*", "User", kScopeSubtree, kAcme),
            (SearchResults{kJsmithson, kJsmith, kJdoe}));
  EXPECT_EQ(Search(*control, "JDOE", "User", kScopeSubtree, kAlpha), (SearchResults{kJdoe}));
  EXPECT_EQ(Search(*control, "*", "Organizational Unit", kScopeSubtree, kSales),
            (SearchResults{kEast}));
  EXPECT_EQ(Search(*control, "SALES", "Organizational Unit", kScopeSubtree, kSales),
            SearchResults{});
}

TEST_P(DirSearch, ContainerScopeCoversOnlyTheContextsOwnObjects) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  EXPECT_EQ(Search(*control, "*", "User, Workstation, Organizational Unit, NCP Server",
                   kScopeContainerOnly, kSales),
            (SearchResults{kEast, kJsmith, kSales + R"(\WS-SALES01)", kSales + R"(\FS1)"}));
  EXPECT_EQ(Search(*control, "J*", "User", kScopeContainerOnly, kAcme), SearchResults{});
  EXPECT_EQ(Search(*control, "*", "Organization, Country", kScopeContainerOnly, kAlpha),
            (SearchResults{kAcme, kAlpha + R"(\US)"}));
}

TEST_P(DirSearch, PatternClassesAndContextMatchWithoutRegardToCase) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  // Without a wildcard the whole name must match: JSMITHSON is no hit for jsmith.
  EXPECT_EQ(Search(*control, "jsmith", "user", kScopeSubtree, kAcme), (SearchResults{kJsmith}));
  EXPECT_EQ(Search(*control, "*son", "User", kScopeSubtree, kAcme), (SearchResults{kJsmithson}));
  EXPECT_EQ(Search(*control, "*SMITH*", "User", kScopeSubtree, kAcme),
            (SearchResults{kJsmithson, kJsmith}));
  EXPECT_EQ(Search(*control, "j*n", " user ,ALIAS ", kScopeSubtree, kAcme),
            (SearchResults{kJsmithson, kJohnAlias}));
  EXPECT_EQ(Search(*control, "J*", "User", kScopeSubtree, R"(nds:\\alpha\acme\support)"),
            (SearchResults{kJsmithson}));
}

// Target search filters enumerations for its browser but searches for users and aliases.
TEST_P(DirSearch, ClassListSelectsHitsAndTheClassFilterDoesNot) {
  auto control = Control("basic", "", "Organizational Unit");
  ASSERT_TRUE(control);
  EXPECT_EQ(Search(*control, "J*", "User", kScopeSubtree, kAcme),
            (SearchResults{kJsmithson, kJsmith, kJdoe}));
  EXPECT_EQ(Search(*control, "J*", "Alias", kScopeSubtree, kAcme), (SearchResults{kJohnAlias}));
  EXPECT_EQ(Search(*control, "J*", "User, Alias", kScopeSubtree, kAcme),
            (SearchResults{kJsmithson, kJsmith, kJdoe, kJohnAlias}));
  EXPECT_EQ(Search(*control, "J*", "Workstation", kScopeSubtree, kAcme), SearchResults{});
}

// A search that cannot run says why, so that a caller never takes it for one that found nothing.
TEST_P(DirSearch, NoHitsIsAnEmptyListAndAMissingContextIsAnError) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  EXPECT_EQ(Search(*control, "NOBODY*", "User", kScopeSubtree, kAlpha), SearchResults{});
  for (const std::string& context : {kAcme + R"(\NOWHERE)", std::string(R"(NDS:\\NOTREE)")}) {
    const auto outcome = SearchOutcomeOf(*control, "*", "User", kScopeSubtree, context);
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
  EXPECT_TRUE(usersDone.Completions().empty());
  EXPECT_TRUE(serversDone.Completions().empty());
  EXPECT_TRUE(otherDone.Completions().empty());

  ASSERT_TRUE(usersDone.WaitFor(1));
  ASSERT_TRUE(serversDone.WaitFor(1));
  ASSERT_TRUE(otherDone.WaitFor(1));
  ASSERT_EQ(usersDone.Completions().size(), 1u);
  ASSERT_EQ(serversDone.Completions().size(), 1u);
  ASSERT_EQ(otherDone.Completions().size(), 1u);
  EXPECT_EQ(usersDone.Completions()[0], (SearchResults{kJsmithson, kJsmith, kJdoe}));
  EXPECT_EQ(serversDone.Completions()[0], (SearchResults{kAcme + R"(\FS2)", kSales + R"(\FS1)"}));
  EXPECT_EQ(otherDone.Completions()[0], (SearchResults{kBetaJsmith}));
}

}  // namespace cvx::test
