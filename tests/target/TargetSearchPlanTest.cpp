#include "target/TargetSearchPlan.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

TEST(TargetSearchPlan, TheSearchingSettingsDecideClassesScopeAndContext) {
  struct Case {
    TargetSearchSettings settings;
    bool aliasesSearched;
    int scope;
    std::string context;
  };
  const Case cases[] = {
      {{false, false, R"(NDS:\\T\O)", R"(NDS:\\T)"}, false, kScopeSubtree, R"(NDS:\\T\O)"},
      {{true, true, R"(NDS:\\T\O)", R"(NDS:\\T)"}, true, kScopeContainerOnly, R"(NDS:\\T\O)"},
      {{false, true, "", R"(NDS:\\T)"}, false, kScopeContainerOnly, R"(NDS:\\T)"},
  };
  for (const Case& c : cases) {
    const TargetSearchRequest r = PlanTargetSearch("ws0", c.settings);
    SCOPED_TRACE(r.classes);
    EXPECT_EQ(r.filter, "ws0*");
    EXPECT_NE(r.classes.find("User"), std::string::npos);
    EXPECT_NE(r.classes.find("Workstation"), std::string::npos);
    EXPECT_EQ(r.classes.find("Alias") != std::string::npos, c.aliasesSearched);
    EXPECT_EQ(r.scope, c.scope);
    EXPECT_EQ(r.context, c.context);
  }
}

TEST(TargetSearchPlan, FailuresNameWhatIsGoneAndALostDirectorySaysNothing) {
  const DirError gone{kDirNoSuchObject, "no such object"};
  const DirError other{999, "busy"};
  EXPECT_NE(TargetSearchFailureText(gone, true, R"(NDS:\\T\GONE)").find(R"(anchor NDS:\\T\GONE)"),
            std::string::npos);
  const std::string context = TargetSearchFailureText(gone, false, R"(NDS:\\T\GONE)");
  EXPECT_NE(context.find("context"), std::string::npos);
  EXPECT_EQ(context.find("GONE"), std::string::npos);
  EXPECT_NE(TargetSearchFailureText(other, true, "x").find("busy"), std::string::npos);

  EXPECT_NE(OneHitLookupFailureText(kDirNoSuchObject, "m").value_or("").find("not found"),
            std::string::npos);
  EXPECT_EQ(OneHitLookupFailureText(kDirLost, "m"), std::nullopt);
  EXPECT_NE(OneHitLookupFailureText(999, "busy").value_or("").find("busy"), std::string::npos);

  EXPECT_EQ(OneHitStepFor("Workstation"), OneHitStep::kLaunch);
  EXPECT_EQ(OneHitStepFor("User"), OneHitStep::kListLogins);
}

}  // namespace
}  // namespace cvx
