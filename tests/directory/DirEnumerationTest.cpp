#include <map>

#include "DirectoryConformance.h"

namespace cvx::test {

using Names = std::vector<std::string>;

TEST_P(DirEnumeration, ClassFilterSelectsWhatContextEntriesList) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  EXPECT_EQ(Listed(*control, kAcme), (Names{"EMPTY", "FS2", "SALES", "SUPPORT"}));
  // Blanks around commas and letter case do not matter.
  control->SetClassFilter(" organizational unit ,USER");
  EXPECT_EQ(Listed(*control, kAcme), (Names{"EMPTY", "SALES", "SUPPORT"}));
  control->SetClassFilter("User, Workstation");
  EXPECT_EQ(Listed(*control, kSales), (Names{"JSMITH", "WS-SALES01"}));
  control->SetClassFilter("Country, Organization");
  EXPECT_EQ(Listed(*control, kAlpha), (Names{"ACME", "US"}));
}

TEST_P(DirEnumeration, ListedEntriesCarryNameAndClass) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  control->SetContextPath(kSales);
  auto entries = control->ContextEntries();
  ASSERT_TRUE(entries) << entries.message();
  std::map<std::string, std::pair<std::string, std::string>> seen;  // name -> full name, class
  for (const auto& e : *entries) seen[e->RelativeName()] = {e->FullPath(), e->Layout().Name};
  const std::map<std::string, std::pair<std::string, std::string>> expected{
      {"EAST", {kEast, "Organizational Unit"}},
      {"JSMITH", {kJsmith, "User"}},
      {"WS-SALES01", {kSales + R"(\WS-SALES01)", "Workstation"}},
      {"FS1", {kSales + R"(\FS1)", "NCP Server"}},
  };
  EXPECT_EQ(seen, expected);
  auto context = control->ContextEntry();
  ASSERT_TRUE(context) << context.message();
  EXPECT_EQ((*context)->FullPath(), kSales);
  EXPECT_EQ((*context)->RelativeName(), "SALES");
}

// A browser shows an expander for a container even when nothing below it passes the filter, and
// none for a leaf; so "no list" and "empty list" must stay apart.
TEST_P(DirEnumeration, SubEntriesAreNothingForLeavesAndAListForContainers) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  for (const auto& [name, container] : std::vector<std::pair<std::string, bool>>{
           {R"(\ACME\SALES\JSMITH)", false},
           {R"(\ACME\SALES\WS-SALES01)", false},
           {R"(\US\INITECH\PRINTER1\TRAY1)", false},
           {R"(\ACME\EMPTY)", true},  // an organizational unit, a locality, a container class
           {R"(\US\INITECH\AUSTIN)", true},
           {R"(\US\INITECH\PROJECTS)", true}}) {
    auto entry = Find(*control, kAlpha + name);
    ASSERT_TRUE(entry);
    auto sub = entry->SubEntries();
    ASSERT_TRUE(sub) << sub.message();
    EXPECT_EQ(sub->has_value(), container) << name;
    if (container && sub->has_value()) {
      EXPECT_TRUE((*sub)->empty()) << name;
    }
  }
  EXPECT_EQ(SortedSubNames(Find(*control, kAlpha)), (Names{"ACME", "US"}));
  EXPECT_EQ(SortedSubNames(Find(*control, kInitech)),
            (Names{"AUSTIN", "LAB-WS01", "PRINTER1", "PROJECTS"}));
  // A leaf class that holds an object is a container all the same.
  EXPECT_EQ(SortedSubNames(Find(*control, kInitech + R"(\PRINTER1)")), (Names{"TRAY1"}));
}

TEST_P(DirEnumeration, SubEntriesFollowTheFilterOfTheProducingControl) {
  auto client = Client("basic");
  ASSERT_TRUE(client);
  auto unitsOnly = client->CreateControl();
  auto everything = client->CreateControl();
  unitsOnly->SetClassFilter("Organizational Unit");
  everything->SetClassFilter("");
  EXPECT_EQ(SortedSubNames(Find(*unitsOnly, kSales)), (Names{"EAST"}));
  EXPECT_EQ(SortedSubNames(Find(*everything, kSales)),
            (Names{"EAST", "FS1", "JSMITH", "WS-SALES01"}));
  // Everything below EAST is filtered out: still a container, with an empty list.
  EXPECT_EQ(SortedSubNames(Find(*unitsOnly, kEast)), Names{});

  // Entries handed out by an enumeration keep the filter for their own enumerations.
  unitsOnly->SetContextPath(kAcme);
  auto units = unitsOnly->ContextEntries();
  ASSERT_TRUE(units) << units.message();
  for (const auto& unit : *units) {
    if (unit->RelativeName() == "SALES") {
      EXPECT_EQ(SortedSubNames(unit), (Names{"EAST"}));
    }
  }
}

TEST_P(DirEnumeration, ContextOfAMissingObjectGives601) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  for (const std::string& missing : {kAcme + R"(\NOWHERE)", std::string(R"(NDS:\\NOTREE)"),
                                     std::string(R"(NDS:\\NOTREE\ACME)")}) {
    control->SetContextPath(missing);
    EXPECT_EQ(control->ContextPath(), missing);
    EXPECT_EQ(control->ContextEntry().error(), kDirNoSuchObject) << missing;
    EXPECT_EQ(control->ContextEntries().error(), kDirNoSuchObject) << missing;
  }
}

}  // namespace cvx::test
