#include "DirectoryConformance.h"

namespace cvx::test {

using Names = std::vector<std::string>;

TEST_P(DirLookup, FindEntryIgnoresLetterCaseAndAnswersInTheDirectorysSpelling) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  for (const auto& [typed, full, relative, cls] :
       std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
           {R"(nds:\\alpha\acme\sales\jsmith)", kJsmith, "JSMITH", "User"},
           {R"(NDS:\\alpha)", kAlpha, "ALPHA", "Top"}}) {
    auto entry = Find(*control, typed);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->FullPath(), full);
    EXPECT_EQ(entry->RelativeName(), relative);
    EXPECT_EQ(entry->Layout().Name, cls);
  }
  EXPECT_EQ(Listed(*control, R"(nds:\\alpha\acme\support)"), (Names{"JOHN", "JSMITHSON"}));
}

TEST_P(DirLookup, FindEntryOfAMissingObjectGives601) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  for (const std::string& missing : {
           kSales + R"(\NOBODY)",         // no such object
           kAcme + R"(\NOWHERE\JSMITH)",  // no such container
           kJsmith + R"(\BELOW)",         // below a leaf
           std::string(R"(NDS:\\NOTREE)"),
           std::string(R"(NDS:\\NOTREE\ACME)"),
       }) {
    auto found = control->FindEntry(missing);
    EXPECT_EQ(found.error(), kDirNoSuchObject) << missing << ": " << found.message();
  }
}

// The class is the most specific structural class, whatever order the object lists its classes in
// and whatever auxiliary classes it carries.
TEST_P(DirLookup, ClassIsTheMostSpecificStructuralClass) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  const std::vector<std::pair<std::string, std::string>> expected{
      {kJsmith, "User"},     // top, person, organizationalPerson, inetOrgPerson, then an auxiliary
      {kJsmithson, "User"},  // only inetOrgPerson listed
      {kInitech + R"(\LAB-WS01)", "Lab Workstation"},  // the subclass listed first
      {kInitech + R"(\PRINTER1\TRAY1)", "Lab Device"},
      {kInitech + R"(\AUSTIN)", "Locality"},
      {kInitech + R"(\PROJECTS)", "Project Folder"},
      {kAlpha + R"(\US)", "Country"},
      {kAcme + R"(\FS2)", "NCP Server"},
  };
  for (const auto& [name, cls] : expected) {
    if (auto entry = Find(*control, name)) {
      EXPECT_EQ(entry->Layout().Name, cls) << name;
    }
  }
}

TEST_P(DirLookup, AliasesAreListedAsThemselvesAndFoundAsTheirObject) {
  auto control = Control("basic", "", "Alias");
  ASSERT_TRUE(control);
  control->SetContextPath(kSupport);
  auto listed = control->ContextEntries();
  ASSERT_TRUE(listed) << listed.message();
  ASSERT_EQ(listed->size(), 1u);
  EXPECT_EQ(listed->front()->FullPath(), kJohnAlias);
  EXPECT_EQ(listed->front()->Layout().Name, "Alias");
  control->SetClassFilter("User");
  EXPECT_EQ(Listed(*control, kSupport), (Names{"JSMITHSON"}));

  auto object = Find(*control, kJohnAlias);
  ASSERT_TRUE(object);
  EXPECT_EQ(object->FullPath(), kJsmith);
  EXPECT_EQ(object->Layout().Name, "User");
  EXPECT_EQ(Values(*control, kJohnAlias, "Surname"), (Names{"Smith"}));
}

TEST_P(DirLookup, GetFieldValueReadsByNdsNameAllValuesInOrder) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  const std::vector<std::pair<std::string, Names>> expected{
      {"telephone NUMBER", {"555-0101", "555-0199", "555-0150"}},
      {"CN", {"JSMITH"}},
      {"Given Name", {"John"}},
      {"Internet EMail Address", {"jsmith@acme.example"}},
      {"ALPHA:Badge", {"B-1001"}},
      {"Description", {}},  // in the class, not on the object
      {"Full Name", {}},
  };
  for (const auto& [field, values] : expected) {
    EXPECT_EQ(Values(*control, kJsmith, field), values) << field;
  }
}

}  // namespace cvx::test
