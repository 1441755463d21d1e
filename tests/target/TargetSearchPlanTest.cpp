#include "target/TargetSearchPlan.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(TargetSearchPlan, TheSettingsDecideTheSearchAndItsFailuresTheirText) {
  struct Case {
    TargetSearchSettings settings;
    bool aliasesSearched;
    int scope;
    std::string context;
  } const cases[] = {
      {{false, false, R"(NDS:\\T\O)", R"(NDS:\\T)"}, false, kScopeSubtree, R"(NDS:\\T\O)"},
      {{true, true, R"(NDS:\\T\O)", R"(NDS:\\T)"}, true, kScopeContainerOnly, R"(NDS:\\T\O)"},
      {{false, true, "", R"(NDS:\\T)"}, false, kScopeContainerOnly, R"(NDS:\\T)"},
  };
  for (const Case& c : cases) {
    const TargetSearchRequest r = PlanTargetSearch("ws0", c.settings);
    EXPECT_EQ(r.filter, "ws0*");
    EXPECT_TRUE(Has(r.classes, "User") && Has(r.classes, "Workstation")) << r.classes;
    EXPECT_EQ(Has(r.classes, "Alias"), c.aliasesSearched) << r.classes;
    EXPECT_EQ(r.scope, c.scope);
    EXPECT_EQ(r.context, c.context);
  }
  // Failures name what is gone, and a lost directory says nothing.
  const DirError gone{kDirNoSuchObject, "no such object"};
  EXPECT_TRUE(
      Has(TargetSearchFailureText(gone, true, R"(NDS:\\T\GONE)"), R"(anchor NDS:\\T\GONE)"));
  const std::string context = TargetSearchFailureText(gone, false, R"(NDS:\\T\GONE)");
  EXPECT_TRUE(Has(context, "context") && !Has(context, "GONE")) << context;
  EXPECT_TRUE(Has(TargetSearchFailureText({999, "busy"}, true, "x"), "busy"));
  EXPECT_TRUE(Has(OneHitLookupFailureText(kDirNoSuchObject, "m").value_or(""), "not found"));
  EXPECT_EQ(OneHitLookupFailureText(kDirLost, "m"), std::nullopt);
  EXPECT_TRUE(Has(OneHitLookupFailureText(999, "busy").value_or(""), "busy"));
  EXPECT_EQ(OneHitStepFor("Workstation"), OneHitStep::kLaunch);
  EXPECT_EQ(OneHitStepFor("User"), OneHitStep::kListLogins);
}

}  // namespace
}  // namespace cvx
