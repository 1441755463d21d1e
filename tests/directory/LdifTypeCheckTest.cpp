#include "directory/ldif/LdifTypeCheck.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

// Each of these lines right after the DN crashed the LDIF parser.
TEST(LdifTypeCheck, LinesWithoutAnAttributeNameAreFound) {
  for (const char* line : {": v", ":: dg==", ":< file:///x", ":", "-", "\t: v", "\r:", "\v\f:"}) {
    const std::string record = std::string("dn: o=X\n") + line + "\nb: c\n";
    EXPECT_EQ(FindLineWithoutType(record.c_str(), 7), 8u) << line;
  }
  EXPECT_EQ(FindLineWithoutType("dn: o=X\na: b\n-\n", 1), 3u);
}

TEST(LdifTypeCheck, NamedAttributesContinuationsAndCommentsPass) {
  for (const char* record :
       {"dn: o=X\na: b\n", "dn: o=X\na;lang-de: b\n", "dn: o=X\na: b\n :folded\n",
        "dn: o=X\n# :comment\na: b", "dn: o=X\n-x: b\n", "dn: o=X\n- \n", "dn:: bz1Y\n"}) {
    EXPECT_FALSE(FindLineWithoutType(record, 1)) << record;
  }
}

}  // namespace
}  // namespace cvx
