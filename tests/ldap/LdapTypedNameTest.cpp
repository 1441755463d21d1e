// A typed name reaches a server only inside an escaped filter, and the server's own rules (which
// fold letter case beyond ASCII) never widen what it finds: a live tree answers every pattern
// exactly as the same tree read from its file does.

#include <gtest/gtest.h>

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"

namespace cvx::test {

namespace {

using namespace std::string_literals;

const std::string kRoot = R"(NDS:\\NAMES)";
const std::string kNames = R"(NDS:\\NAMES\NAMES)";
const std::string kA = kNames + R"(\A)";
const std::string kB = kNames + R"(\B)";

class LdapTypedNames : public ::testing::Test {
 protected:
  void SetUp() override {
    auto live = LdapDirectoryBackend().Open("names", "");
    ASSERT_TRUE(live) << live.message();
    auto file = OpenDirectoryClient(FixtureFolder("names"), "");
    ASSERT_TRUE(file) << file.message();
    liveClient_ = live.value();
    fileClient_ = file.value();
    live_ = liveClient_->CreateControl();
    file_ = fileClient_->CreateControl();
  }

  // What the live tree finds, after checking that the file finds the same.
  SearchResults Found(const std::string& pattern, const std::string& context = kRoot,
                      int scope = kScopeSubtree, const std::string& classes = "User, Workstation") {
    auto live = SearchAndWait(*live_, pattern, classes, scope, context);
    auto file = SearchAndWait(*file_, pattern, classes, scope, context);
    EXPECT_TRUE(live) << pattern << ": " << live.message();
    EXPECT_TRUE(file) << pattern << ": " << file.message();
    if (!live || !file) return {};
    EXPECT_EQ(*live, *file) << "pattern \"" << pattern << "\" in " << context;
    return *live;
  }

  DirectoryClientPtr liveClient_, fileClient_;
  std::unique_ptr<DirectoryControl> live_, file_;
};

}  // namespace

TEST_F(LdapTypedNames, FilterSyntaxInANameIsTextNeverFilter) {
  const std::string xy = kA + R"(\X)(CN=Y)";
  EXPECT_EQ(Found("*)(cn=*"), SearchResults{xy});
  EXPECT_EQ(Found("x)(cn=y"), SearchResults{xy});
  EXPECT_EQ(Found("X)(CN=Y"), SearchResults{xy});
  EXPECT_EQ(Found("*)(objectClass=*"), SearchResults{});
  EXPECT_EQ(Found("JOSEF)(|(cn=*"), SearchResults{});
  EXPECT_EQ(Found("*(*"), (SearchResults{xy, kA + R"(\PAREN(1))"}));
  EXPECT_EQ(Found("PAREN(1)"), SearchResults{kA + R"(\PAREN(1))"});
  EXPECT_EQ(Found(R"(\)"), SearchResults{});
  EXPECT_EQ(Found(R"(*\*)"), SearchResults{});
  EXPECT_EQ(Found(R"(\2a)"), SearchResults{});
  EXPECT_EQ(Found("\0"s), SearchResults{});
  EXPECT_EQ(Found("JOSEF\0*"s), SearchResults{});
  EXPECT_EQ(Found(""), SearchResults{});
  // A star in a name is matched by the wildcard like any other character.
  EXPECT_EQ(Found("a*b"), (SearchResults{kA + R"(\A*B)", kA + R"(\AXB)", kB + R"(\AB)"}));
  EXPECT_EQ(Found("STAR*"), SearchResults{kA + R"(\STAR*)"});
  EXPECT_EQ(Found("*", kRoot, kScopeSubtree, "User").size(), 13u);
}

TEST_F(LdapTypedNames, LettersBeyondAsciiMatchOnlyAsTheyAreSpelled) {
  EXPECT_EQ(Found("JOSÉ"), SearchResults{kA + R"(\JOSÉ)"});
  EXPECT_EQ(Found("josé"), SearchResults{kB + R"(\josé)"});
  EXPECT_EQ(Found("JOSé"), SearchResults{kB + R"(\josé)"});  // ASCII letters fold, é does not
  EXPECT_EQ(Found("jos*"), (SearchResults{kA + R"(\JOSÉ)", kB + R"(\josé)", kB + R"(\Josef)"}));
  EXPECT_EQ(Found("*É*"), (SearchResults{kA + R"(\JOSÉ)", kB + R"(\WS-É1)"}));
  EXPECT_EQ(Found("*ü*"), SearchResults{kB + R"(\müller)"});
  EXPECT_EQ(Found("Å*"), SearchResults{kA + R"(\ÅSA)"});
  EXPECT_EQ(Found("Å*", kB, kScopeContainerOnly), SearchResults{});
  EXPECT_EQ(Found("åsa", kB, kScopeContainerOnly), SearchResults{kB + R"(\åsa)"});
  EXPECT_EQ(Found("*\xC3"), SearchResults{});  // half a letter
  EXPECT_EQ(Found("\xFF*"), SearchResults{});  // no UTF-8 at all
}

TEST_F(LdapTypedNames, LookUpsHoldTheSameRule) {
  for (const auto& [name, there] : std::vector<std::pair<std::string, bool>>{
           {kA + R"(\X)(CN=Y)", true},
           {kA + R"(\x)(cn=y)", true},
           {kA + R"(\JOSÉ)", true},
           {kA + R"(\josé)", false},
           {kB + R"(\JOSÉ)", false},
           {kB + R"(\JOSé)", true},
           {kA + R"(\A*B)", true},
           {kA + R"(\A*)", false},
           {kA + R"(\*)", false},
       }) {
    auto live = live_->FindEntry(name);
    auto file = file_->FindEntry(name);
    EXPECT_EQ(live.ok(), there) << name << ": " << live.message();
    EXPECT_EQ(file.ok(), there) << name << ": " << file.message();
    if (!there) {
      EXPECT_EQ(live.error(), kDirNoSuchObject) << name;
    }
    if (live && file) {
      EXPECT_EQ((*live)->FullPath(), (*file)->FullPath());
    }
  }
}

}  // namespace cvx::test
