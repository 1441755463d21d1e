#include <algorithm>
#include <set>

#include "DirectoryConformance.h"

namespace cvx::test {

namespace {

using Names = std::vector<std::string>;

Names FieldNames(const DirectoryControl& control, const std::string& className) {
  auto layouts = control.SchemaLayouts();
  if (!layouts) return {"SchemaLayouts: " + layouts.message()};
  auto layout = layouts->Item(className);
  if (!layout) return {"no layout " + className};
  Names names;
  for (const auto& f : layout->Fields) names.push_back(f.Name);
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

// Whether the control's schema knows a field type (or, with `layout`, a class).
bool Knows(const DirectoryControl& control, const std::string& name, bool layout = false) {
  if (layout) {
    auto layouts = control.SchemaLayouts();
    return layouts && layouts->Item(name);
  }
  auto types = control.FieldTypes();
  return types && types->Item(name);
}

}  // namespace

TEST_P(DirSchema, LayoutFieldsRunFromTheTopClassDownWithoutRepeats) {
  auto control = Control("basic");
  ASSERT_TRUE(control);
  const Names workstation{"Object Class",        "CN",
                          "Description",         "WM:Network Address",
                          "WM:Operating System", "WM:User Last Logged",
                          "WM:IP Address"};
  EXPECT_EQ(FieldNames(*control, "WORKSTATION"), workstation);
  // The subclass repeats Description; it stays where the superclass put it.
  Names labFields = workstation;
  labFields.push_back("Lab Seat");
  EXPECT_EQ(FieldNames(*control, "lab workstation"), labFields);

  // Three levels of inheritance; some fields here have no fixed NDS name, so only the order of
  // those that have one is checked.
  const Names fields = FieldNames(*control, "user");
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
  for (const auto* known : {"Network Address", "wm:network address", "CN", "Version"}) {
    EXPECT_TRUE(types->Item(known)) << known;
  }
  EXPECT_EQ(types->Item("Network Address")->Name, "Network Address");
  // The extended remote actions are offered only when the schema has this one.
  EXPECT_EQ(types->Item("DM:ZEN File Transfer").error(), kDirNoFieldType);
  EXPECT_EQ(types->Item("No Such Field").error(), kDirNoFieldType);
}

// The schema follows the control's context from tree to tree.
TEST_P(DirSchema, EachTreeSeesItsOwnSchemaFile) {
  auto alpha = Control("basic");
  auto beta = Control("basic", "BETA");
  ASSERT_TRUE(alpha && beta);
  EXPECT_TRUE(Knows(*alpha, "ALPHA:Badge") && Knows(*alpha, "ALPHA:Extras", true));
  EXPECT_FALSE(Knows(*beta, "ALPHA:Badge") || Knows(*beta, "ALPHA:Extras", true));
  EXPECT_TRUE(Knows(*beta, "WM:Network Address") && Knows(*beta, "User", true));
  alpha->SetContextPath(kBeta);
  EXPECT_FALSE(Knows(*alpha, "ALPHA:Badge"));
  alpha->SetContextPath(kAcme);
  EXPECT_TRUE(Knows(*alpha, "ALPHA:Badge"));
}

}  // namespace cvx::test
