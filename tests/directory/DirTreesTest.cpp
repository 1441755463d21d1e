#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

Names ShortNames(const std::vector<ServerName>& servers) {
  Names names;
  for (const auto& s : servers) names.push_back(s.ShortName);
  return names;
}

}  // namespace

TEST_P(DirTrees, DefaultContextIsThePreferredTreeElseTheFirstByName) {
  auto first = Control("basic");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->ContextPath(), kAlpha);
  auto root = first->ContextEntry();
  ASSERT_TRUE(root) << root.message();
  EXPECT_EQ((*root)->FullPath(), kAlpha);
  EXPECT_EQ((*root)->RelativeName(), "ALPHA");
  EXPECT_EQ((*root)->Layout().Name, "Top");

  auto preferred = Control("basic", "BETA");
  ASSERT_TRUE(preferred);
  EXPECT_EQ(preferred->ContextPath(), kBeta);
  auto entries = preferred->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  EXPECT_EQ(SortedNames(*entries), (Names{"BETACORP"}));

  auto unknown = Control("basic", "GAMMA");
  ASSERT_TRUE(unknown);
  EXPECT_EQ(unknown->ContextPath(), kAlpha);
}

TEST_P(DirTrees, TreeNamesAreSpelledAsTheDirectorySpellsThem) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\beta\BETACORP\JSMITH)"), "BETA");
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\alpha)"), "ALPHA");
  EXPECT_EQ(control->TreeNameOf(kAcme), "ALPHA");
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\Elsewhere\X)"), "Elsewhere");
  EXPECT_EQ(control->JoinTreePath("BETA", ""), kBeta);
  EXPECT_EQ(control->JoinTreePath(control->TreeNameOf(R"(NDS:\\alpha\acme)"), ""), kAlpha);
}

TEST_P(DirTrees, OneControlReachesEveryTree) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  auto other = Find(*control, R"(NDS:\\beta\betacorp\jsmith)");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->FullPath(), kBetaJsmith);
  EXPECT_EQ(other->Layout().Name, "User");

  // Same name in both trees: a search stays in the tree of its context.
  EXPECT_EQ(Search(*control, "JSMITH", "User", kScopeSubtree, kBeta), (SearchResults{kBetaJsmith}));
  EXPECT_EQ(Search(*control, "JSMITH", "User", kScopeSubtree, kAlpha), (SearchResults{kJsmith}));

  control->SetContextPath(kBeta + R"(\BETACORP)");
  auto entries = control->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  EXPECT_EQ(SortedNames(*entries), (Names{"BFS1", "JSMITH"}));
}

TEST_P(DirTrees, ServerNamesAreTheDefaultTreesServersInDirectoryOrder) {
  auto alpha = Client("basic");
  ASSERT_TRUE(alpha);
  auto alphaServers = alpha->CreateSession()->ServerNames();
  ASSERT_TRUE(alphaServers) << alphaServers.message();
  EXPECT_EQ(ShortNames(*alphaServers), (Names{"FS2", "FS1"}));

  auto beta = Client("basic", "BETA");
  ASSERT_TRUE(beta);
  auto betaServers = beta->CreateSession()->ServerNames();
  ASSERT_TRUE(betaServers) << betaServers.message();
  EXPECT_EQ(ShortNames(*betaServers), (Names{"BFS1"}));
}

}  // namespace cvx::test
