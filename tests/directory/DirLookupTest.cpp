#include "DirectoryConformance.h"

namespace cvx::test {

using Names = std::vector<std::string>;

TEST_P(DirLookup, FindEntryIgnoresLetterCaseAndAnswersInTheDirectorysSpelling) {
  auto control = Control("basic");
  ASSERT_TRUE(control);

  auto user = Find(*control, R"(nds:\\alpha\acme\sales\jsmith)");
  ASSERT_TRUE(user);
  EXPECT_EQ(user->FullPath(), kJsmith);
  EXPECT_EQ(user->RelativeName(), "JSMITH");
  EXPECT_EQ(user->Layout().Name, "User");

  auto root = Find(*control, R"(NDS:\\alpha)");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->FullPath(), kAlpha);
  EXPECT_EQ(root->RelativeName(), "ALPHA");
  EXPECT_EQ(root->Layout().Name, "Top");

  control->SetContextPath(R"(nds:\\alpha\acme\support)");
  auto entries = control->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  EXPECT_EQ(SortedNames(*entries), (Names{"JOHN", "JSMITHSON"}));
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
      {kInitech, "Organization"},
      {kAlpha + R"(\US)", "Country"},
      {kSales, "Organizational Unit"},
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
  const auto& alias = listed->front();
  EXPECT_EQ(alias->RelativeName(), "JOHN");
  EXPECT_EQ(alias->FullPath(), kJohnAlias);
  EXPECT_EQ(alias->Layout().Name, "Alias");

  control->SetClassFilter("User");
  auto users = control->ContextEntries();
  ASSERT_TRUE(users) << users.message();
  EXPECT_EQ(SortedNames(*users), (Names{"JSMITHSON"}));

  auto object = Find(*control, kJohnAlias);
  ASSERT_TRUE(object);
  EXPECT_EQ(object->FullPath(), kJsmith);
  EXPECT_EQ(object->RelativeName(), "JSMITH");
  EXPECT_EQ(object->Layout().Name, "User");
  auto surname = object->GetFieldValue("Surname");
  ASSERT_TRUE(surname) << surname.message();
  EXPECT_EQ(*surname, (Names{"Smith"}));
}

TEST_P(DirLookup, GetFieldValueReadsByNdsNameAllValuesInOrder) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  auto user = Find(*control, kJsmith);
  ASSERT_TRUE(user);

  const std::vector<std::pair<std::string, Names>> expected{
      {"Telephone Number", {"555-0101", "555-0199", "555-0150"}},
      {"telephone NUMBER", {"555-0101", "555-0199", "555-0150"}},
      {"CN", {"JSMITH"}},
      {"Surname", {"Smith"}},
      {"Given Name", {"John"}},
      {"Title", {"Sales Rep"}},
      {"Internet EMail Address", {"jsmith@acme.example"}},
      {"ALPHA:Badge", {"B-1001"}},
      {"Description", {}},  // in the class, not on the object
      {"Full Name", {}},
  };
  for (const auto& [field, values] : expected) {
    auto read = user->GetFieldValue(field);
    ASSERT_TRUE(read) << field << ": " << read.message();
    EXPECT_EQ(*read, values) << field;
  }
}

}  // namespace cvx::test
