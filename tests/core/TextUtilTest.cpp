#include "core/TextUtil.h"

#include <gtest/gtest.h>

#include "core/FullName.h"

namespace cvx {
namespace {

TEST(WildcardMatchNoCase, StarAndCase) {
  EXPECT_TRUE(WildcardMatchNoCase("js*", "JSMITH"));
  EXPECT_TRUE(WildcardMatchNoCase("*", ""));
  EXPECT_TRUE(WildcardMatchNoCase("*mit*", "jsmith"));
  EXPECT_TRUE(WildcardMatchNoCase("a*b*c", "aXbYbZc"));
  EXPECT_TRUE(WildcardMatchNoCase(" pc*", " PC 12"));
  EXPECT_FALSE(WildcardMatchNoCase(" pc*", "PC 12"));
  EXPECT_FALSE(WildcardMatchNoCase("js", "jsmith"));
  EXPECT_FALSE(WildcardMatchNoCase("a*b*c", "aXbYbZ"));
  EXPECT_FALSE(WildcardMatchNoCase("j?*", "jsmith"));  // only "*" is a wildcard
}

TEST(TextUtil, CommaListsAndTrimming) {
  EXPECT_EQ(SplitCommaList("Country, Organization,  Organizational Unit ,"),
            (std::vector<std::string>{"Country", "Organization", "Organizational Unit"}));
  EXPECT_TRUE(SplitCommaList(" , ").empty());
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("\ta "), "\ta");  // only blanks are trimmed
  EXPECT_TRUE(ContainsNoCase("xxTREE=yy", "tree="));
}

TEST(FullName, TreePartAndJoin) {
  EXPECT_EQ(TreePartOfFullName(R"(NDS:\\CORP\ACME)"), "CORP");
  EXPECT_EQ(TreePartOfFullName(R"(nds:\\corp)"), "corp");
  EXPECT_EQ(TreePartOfFullName("CORP"), "CORP");
  EXPECT_EQ(JoinFullName("CORP", ""), R"(NDS:\\CORP)");
  EXPECT_EQ(JoinFullName("CORP", R"(ACME\SALES)"), R"(NDS:\\CORP\ACME\SALES)");
}

}  // namespace
}  // namespace cvx
