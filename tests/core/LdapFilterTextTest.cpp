#include "core/LdapFilterText.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

using namespace std::string_literals;

TEST(EscapeLdapFilterValue, EscapesEveryOctetThatCouldEndOrWidenTheAssertion) {
  EXPECT_EQ(EscapeLdapFilterValue("JSMITH"), "JSMITH");
  EXPECT_EQ(EscapeLdapFilterValue("*)(cn=*"), R"(\2a\29\28cn=\2a)");
  EXPECT_EQ(EscapeLdapFilterValue(R"(a\b)"), R"(a\5cb)");
  EXPECT_EQ(EscapeLdapFilterValue("a\0b"s), R"(a\00b)");
  // "é" in UTF-8, and a byte that is not UTF-8 at all.
  EXPECT_EQ(EscapeLdapFilterValue("Jos\xC3\xA9"), R"(Jos\c3\a9)");
  EXPECT_EQ(EscapeLdapFilterValue("\xFF\x80\x7F"), "\\ff\\80\x7F");
  EXPECT_EQ(EscapeLdapFilterValue(""), "");
  // Characters that are special elsewhere but not in a filter value stay.
  EXPECT_EQ(EscapeLdapFilterValue("a=b,c+d&|!~<>"), "a=b,c+d&|!~<>");
}

TEST(LdapWildcardFilterValue, KeepsStarsAsWildcardsAndEscapesTheRest) {
  EXPECT_EQ(LdapWildcardFilterValue("J*"), "J*");
  EXPECT_EQ(LdapWildcardFilterValue("*son"), "*son");
  EXPECT_EQ(LdapWildcardFilterValue("*)(cn=*"), R"(*\29\28cn=*)");
  EXPECT_EQ(LdapWildcardFilterValue(R"(\*)"), R"(\5c*)");
  EXPECT_EQ(LdapWildcardFilterValue("a\0*"s), R"(a\00*)");
  EXPECT_EQ(LdapWildcardFilterValue("\xC3\x89*"), R"(\c3\89*)");
  // Runs of stars would make an empty substring, which a filter may not hold.
  EXPECT_EQ(LdapWildcardFilterValue("a**b***"), "a*b*");
  EXPECT_EQ(LdapWildcardFilterValue("**"), "*");
}

TEST(IsMatchAllPattern, OnlyStars) {
  EXPECT_TRUE(IsMatchAllPattern("*"));
  EXPECT_TRUE(IsMatchAllPattern("***"));
  EXPECT_FALSE(IsMatchAllPattern(""));
  EXPECT_FALSE(IsMatchAllPattern("*a*"));
}

}  // namespace
}  // namespace cvx
