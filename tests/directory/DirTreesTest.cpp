#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

Names ServerNamesOf(DirectoryClient& client) {
  auto servers = client.CreateSession()->ServerNames();
  if (!servers) return {"ServerNames: " + servers.message()};
  Names names;
  for (const auto& s : *servers) names.push_back(s.ShortName);
  return names;
}

}  // namespace

TEST_P(DirTrees, DefaultContextIsThePreferredTreeElseTheFirstByName) {
  auto first = Control("basic");
  auto preferred = Control("basic", "BETA");
  auto unknown = Control("basic", "GAMMA");
  ASSERT_TRUE(first && preferred && unknown);
  EXPECT_EQ(first->ContextPath(), kAlpha);
  auto root = first->ContextEntry();
  ASSERT_TRUE(root) << root.message();
  EXPECT_EQ((*root)->FullPath(), kAlpha);
  EXPECT_EQ((*root)->Layout().Name, "Top");
  EXPECT_EQ(preferred->ContextPath(), kBeta);
  EXPECT_EQ(Listed(*preferred, kBeta), (Names{"BETACORP"}));
  EXPECT_EQ(unknown->ContextPath(), kAlpha);
}

TEST_P(DirTrees, TreeNamesAreSpelledAsTheDirectorySpellsThem) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\beta\BETACORP\JSMITH)"), "BETA");
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\alpha)"), "ALPHA");
  EXPECT_EQ(control->TreeNameOf(R"(NDS:\\Elsewhere\X)"), "Elsewhere");
  EXPECT_EQ(control->JoinTreePath(control->TreeNameOf(R"(NDS:\\alpha\acme)"), ""), kAlpha);
}

TEST_P(DirTrees, OneControlReachesEveryTreeAndASearchStaysInItsTree) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  auto other = Find(*control, R"(NDS:\\beta\betacorp\jsmith)");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->FullPath(), kBetaJsmith);
  EXPECT_EQ(Search(*control, "JSMITH", "User", kScopeSubtree, kBeta), (SearchResults{kBetaJsmith}));
  EXPECT_EQ(Search(*control, "JSMITH", "User", kScopeSubtree, kAlpha), (SearchResults{kJsmith}));
  EXPECT_EQ(Listed(*control, kBeta + R"(\BETACORP)"), (Names{"BFS1", "JSMITH"}));
}

TEST_P(DirTrees, ServerNamesAreTheDefaultTreesServersInDirectoryOrder) {
  auto alpha = Client("basic");
  auto beta = Client("basic", "BETA");
  ASSERT_TRUE(alpha && beta);
  EXPECT_EQ(ServerNamesOf(*alpha), (Names{"FS2", "FS1"}));
  EXPECT_EQ(ServerNamesOf(*beta), (Names{"BFS1"}));
}

}  // namespace cvx::test
