#include <algorithm>
#include <set>

#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

Names FieldNames(const SchemaLayout& layout) {
  Names names;
  for (const auto& f : layout.Fields) names.push_back(f.Name);
  return names;
}

// Whether `part` occurs in `whole` in the same order, other names allowed between.
bool InOrder(const Names& whole, const Names& part) {
  auto at = whole.begin();
  for (const auto& name : part) {
    at = std::find(at, whole.end(), name);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

}  // namespace

TEST_P(DirSchema, LayoutFieldsRunFromTheTopClassDownWithoutRepeats) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  auto layouts = control->SchemaLayouts();
  ASSERT_TRUE(layouts) << layouts.message();

  const Names workstation{"Object Class",        "CN",
                          "Description",         "WM:Network Address",
                          "WM:Operating System", "WM:User Last Logged",
                          "WM:IP Address"};
  auto ws = layouts->Item("WORKSTATION");
  ASSERT_TRUE(ws) << ws.message();
  EXPECT_EQ(ws->Name, "Workstation");
  EXPECT_EQ(FieldNames(*ws), workstation);

  // The subclass repeats Description; it stays where the superclass put it.
  auto lab = layouts->Item("lab workstation");
  ASSERT_TRUE(lab) << lab.message();
  Names labFields = workstation;
  labFields.push_back("Lab Seat");
  EXPECT_EQ(FieldNames(*lab), labFields);

  auto server = layouts->Item("NCP Server");
  ASSERT_TRUE(server) << server.message();
  EXPECT_EQ(FieldNames(*server),
            (Names{"Object Class", "CN", "Description", "Network Address", "Version"}));

  // Three levels of inheritance; some fields here have no fixed NDS name, so only the order of
  // those that have one is checked.
  auto user = layouts->Item("user");
  ASSERT_TRUE(user) << user.message();
  EXPECT_EQ(user->Name, "User");
  const Names fields = FieldNames(*user);
  EXPECT_EQ(fields.size(), 14u);
  EXPECT_EQ(std::set<std::string>(fields.begin(), fields.end()).size(), fields.size())
      << "a field is listed twice";
  EXPECT_TRUE(InOrder(fields, {"Object Class", "CN", "Surname", "Description", "Telephone Number",
                               "Title", "L", "Given Name", "Full Name", "Internet EMail Address",
                               "Network Address", "Login Time"}))
      << ::testing::PrintToString(fields);
}

TEST_P(DirSchema, FieldTypesKnowNdsNamesAndGive603ForOthers) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  auto types = control->FieldTypes();
  ASSERT_TRUE(types) << types.message();
  for (const auto* known : {"Network Address", "wm:network address", "CN", "Surname", "Version"}) {
    auto type = types->Item(known);
    EXPECT_TRUE(type) << known << ": " << type.message();
  }
  EXPECT_EQ(types->Item("Network Address")->Name, "Network Address");
  // The extended remote actions are offered only when the schema has this one.
  EXPECT_EQ(types->Item("DM:ZEN File Transfer").error(), kDirNoFieldType);
  EXPECT_EQ(types->Item("No Such Field").error(), kDirNoFieldType);
}

TEST_P(DirSchema, EachTreeSeesItsOwnSchemaFile) {
  auto alpha = Control("basic");
  ASSERT_TRUE(alpha);
  auto alphaTypes = alpha->FieldTypes();
  ASSERT_TRUE(alphaTypes) << alphaTypes.message();
  EXPECT_TRUE(alphaTypes->Item("ALPHA:Badge"));
  auto alphaLayouts = alpha->SchemaLayouts();
  ASSERT_TRUE(alphaLayouts) << alphaLayouts.message();
  EXPECT_TRUE(alphaLayouts->Item("ALPHA:Extras"));

  auto beta = Control("basic", "BETA");
  ASSERT_TRUE(beta);
  auto betaTypes = beta->FieldTypes();
  ASSERT_TRUE(betaTypes) << betaTypes.message();
  EXPECT_EQ(betaTypes->Item("ALPHA:Badge").error(), kDirNoFieldType);
  EXPECT_TRUE(betaTypes->Item("WM:Network Address"));
  auto betaLayouts = beta->SchemaLayouts();
  ASSERT_TRUE(betaLayouts) << betaLayouts.message();
  EXPECT_FALSE(betaLayouts->Item("ALPHA:Extras"));
  EXPECT_TRUE(betaLayouts->Item("User"));

  // The schema follows the control's context from tree to tree.
  alpha->SetContextPath(kBeta);
  auto movedTypes = alpha->FieldTypes();
  ASSERT_TRUE(movedTypes) << movedTypes.message();
  EXPECT_EQ(movedTypes->Item("ALPHA:Badge").error(), kDirNoFieldType);
  alpha->SetContextPath(kAcme);
  auto backTypes = alpha->FieldTypes();
  ASSERT_TRUE(backTypes) << backTypes.message();
  EXPECT_TRUE(backTypes->Item("ALPHA:Badge"));
}

}  // namespace cvx::test
