// While a search's completion is handled, look-ups of what it found are answered from the
// search's own entries (a database build reads every hit): they must answer exactly as the server
// would, in any order and any letter case, and aliases still give their objects. A search asked
// for some fields only still answers the others, from the server.

#include <gtest/gtest.h>

#include <cctype>

#include "LdapBackends.h"
#include "directory/DirectoryConformance.h"

namespace cvx::test {

namespace {

struct Read {
  std::string fullPath;
  std::string className;
  std::vector<std::string> surname;
  std::vector<std::string> givenName;
  bool operator==(const Read&) const = default;
};

Read ReadOf(const DirectoryControl& control, const std::string& name) {
  auto entry = control.FindEntry(name);
  if (!entry) return Read{"error " + std::to_string(entry.error()), "", {}, {}};
  auto surname = (*entry)->GetFieldValue("Surname");
  auto givenName = (*entry)->GetFieldValue("Given Name");
  return Read{(*entry)->FullPath(), (*entry)->Layout().Name,
              surname ? *surname : std::vector<std::string>{{"error " + surname.message()}},
              givenName ? *givenName : std::vector<std::string>{{"error " + givenName.message()}}};
}

std::string ToLower(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TEST(LdapSearchDelivery, LookUpsDuringTheCompletionAnswerAsTheServerDoes) {
  auto opened = LdapDirectoryBackend().Open("basic", "");
  ASSERT_TRUE(opened) << opened.message();
  auto client = opened.value();
  auto search = client->CreateControl();
  auto lookup = client->CreateControl();

  // What the server says, asked outside any completion.
  const std::vector<std::string> names{kJsmithson, kJsmith, kJdoe, kJohnAlias};
  std::vector<Read> fromServer;
  for (const auto& n : names) fromServer.push_back(ReadOf(*lookup, n));
  EXPECT_EQ(fromServer[3].fullPath, kJsmith) << "the alias gives its object";

  std::vector<Read> inOrder, reversed, otherCase;
  SearchResults delivered;
  QObject::connect(search.get(), &DirectoryControl::SearchCompleted,
                   [&](const SearchOutcome& found) {
                     ASSERT_TRUE(found) << found.message();
                     delivered = *found;
                     for (const auto& n : *found) inOrder.push_back(ReadOf(*lookup, n));
                     for (auto it = found->rbegin(); it != found->rend(); ++it) {
                       reversed.insert(reversed.begin(), ReadOf(*lookup, *it));
                     }
                     for (const auto& n : *found) otherCase.push_back(ReadOf(*lookup, ToLower(n)));
                   });
  SearchRecorder done(*search);
  search->SetSearchFields({"Surname"});
  search->StartSearch("J*", "User, Alias", kScopeSubtree, kAcme);
  ASSERT_TRUE(done.WaitFor(1));
  ASSERT_EQ(delivered, names);
  EXPECT_EQ(inOrder, fromServer);
  EXPECT_EQ(reversed, fromServer);
  EXPECT_EQ(otherCase, fromServer);
}

}  // namespace cvx::test

namespace cvx::test {

// The hits are answered from the search's entries, not asked again: they still answer when the
// server has gone meanwhile, after the completion too (a build looks them up in later turns),
// until the control searches again.
TEST(LdapSearchDelivery, HitsAnswerFromTheSearchUntilItsControlSearchesAgain) {
  TempFolder folder;
  SlapdSetup setup;
  setup.treeName = "NET";
  std::string why;
  auto server = StartTreeServer(NetTreeLdif(5), setup, folder, &why);
  ASSERT_TRUE(server) << why;
  auto opened = OpenDirectoryClientWith(server->Uri(), "", TestLdapOptions());
  ASSERT_TRUE(opened) << opened.message();
  auto search = (*opened)->CreateControl();
  auto lookup = (*opened)->CreateControl();

  std::vector<std::string> readDuring;
  SearchResults found;
  QObject::connect(search.get(), &DirectoryControl::SearchCompleted,
                   [&](const SearchOutcome& outcome) {
                     ASSERT_TRUE(outcome) << outcome.message();
                     found = *outcome;
                     server->Stop();
                     for (const auto& name : found) {
                       auto entry = lookup->FindEntry(name);
                       readDuring.push_back(entry ? (*entry)->FullPath() : entry.message());
                     }
                   });
  SearchRecorder done(*search);
  search->StartSearch("*", "Workstation", kScopeSubtree, R"(NDS:\\NET\NET)");
  ASSERT_TRUE(done.WaitFor(1));
  ASSERT_EQ(found.size(), 5u);
  EXPECT_EQ(readDuring, found);
  auto after = lookup->FindEntry(found.back());
  ASSERT_TRUE(after) << after.message();
  EXPECT_EQ((*after)->FullPath(), found.back());

  QObject::disconnect(search.get(), &DirectoryControl::SearchCompleted, nullptr, nullptr);
  SearchRecorder again(*search);
  search->StartSearch("*", "Workstation", kScopeSubtree, R"(NDS:\\NET\NET)");
  ASSERT_TRUE(again.WaitFor(1));
  EXPECT_EQ(lookup->FindEntry(found.front()).error(), kDirLost);
}

}  // namespace cvx::test
