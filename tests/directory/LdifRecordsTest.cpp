// The tree reader's own record splitter and plain-record reader, which stand in for the LDAP
// library's line reader and parser on large trees: where a record starts, what is refused, and
// which records are left to the parser.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "directory/ldif/LdifRecords.h"
#include "directory/ldif/PlainLdifRecord.h"

namespace cvx {
namespace {

struct Split {
  std::vector<std::string> texts;
  std::vector<unsigned long> lines;
  std::optional<RefusedLine> refused;
};

Split SplitText(std::string text) {
  const std::size_t size = text.size();
  text.append(2, '\0');  // room for a line end and a NUL
  LdifRecords records(text.data(), size);
  Split out{{}, {}, records.Refused()};
  for (std::size_t i = 0; i < records.Count(); ++i) {
    const auto r = records.Take(i);
    out.texts.emplace_back(r.text, r.size);
    out.lines.push_back(r.firstLine);
  }
  return out;
}

TEST(LdifRecords, RecordsStartWhereTheirFirstLineIs) {
  const auto split = SplitText(
      "version: 1\r\n\r\n# dropped\n\n# kept\n continued\ndn: o=A\r\nx: 1\r\n\n\n"
      "7\ndn: o=B\n\n8\n\ndn: o=C");
  EXPECT_EQ(split.texts,
            (std::vector<std::string>{"version: 1\n", "# kept\n continued\ndn: o=A\nx: 1\n",
                                      "dn: o=B\n", "", "dn: o=C\n"}));
  EXPECT_EQ(split.lines, (std::vector<unsigned long>{1, 5, 11, 14, 16}));
  EXPECT_FALSE(split.refused);
  EXPECT_EQ(SplitText("dn: o=A\n").texts, std::vector<std::string>{"dn: o=A\n"});
}

TEST(LdifRecords, TheFirstIncludeOrNulInTheTextIsRefused) {
  const auto include = SplitText("dn: o=A\nx: 1\n\nInClUdE: file:///etc/passwd\n");
  ASSERT_TRUE(include.refused);
  EXPECT_EQ(include.refused->line, 4u);
  const auto nul = SplitText(std::string("dn: o=A\nx: \0\n\ninclude: x\n", 24));
  ASSERT_TRUE(nul.refused);
  EXPECT_EQ(nul.refused->line, 2u);
  EXPECT_NE(std::string(nul.refused->what).find("NUL"), std::string::npos);
}

TEST(PlainLdifRecord, GathersValuesByTypeAndDecodesBase64InPlace) {
  std::string text = "# c\ndn: cn=A,o=B\ncn: A\nsn:\nCN: a\nnetworkAddress:: AAEC\nsn: x y";
  PlainLdifRecord r;
  ASSERT_TRUE(ReadPlainLdifRecord(text.data(), text.size(), r));
  EXPECT_EQ(r.dn, "cn=A,o=B");
  ASSERT_EQ(r.attributes.size(), 3u);
  EXPECT_EQ(r.attributes[0].type, "cn");
  EXPECT_EQ(r.attributes[1].type, "sn");
  const std::vector<std::string_view> values(r.values.begin(), r.values.end());
  EXPECT_EQ(values,
            (std::vector<std::string_view>{"A", "a", "", "x y", std::string_view("\0\1\2", 3)}));
}

TEST(PlainLdifRecord, AnythingElseIsLeftUntouchedToTheParser) {
  for (std::string text :
       {"dn: o=A\nx: folded\n  on\n", "dn: o=A\n# inside\nx: 1\n", "dn: o=A\nx: trailing \n",
        "dn: o=A\nx: a\tb\n", "DN: o=A\nx: 1\n", "dn: o=A\nchangetype: add\nx: 1\n",
        "dn: o=A\n2.5.4.3: x\n", "dn: o=A\ncn;lang-de: x\n", "dn: o=A\nx:< file:///etc/passwd\n",
        "dn: o=A\nx:: AAE\n", "dn: o=A\nx:: AA=A\n", "dn: o=A\n-\n", "dn: o=A\n",
        "dn: o=A\nx: 1\ndn: o=B\n"}) {
    const std::string before = text;
    PlainLdifRecord r;
    EXPECT_FALSE(ReadPlainLdifRecord(text.data(), text.size(), r)) << before;
    EXPECT_EQ(text, before);
  }
}

}  // namespace
}  // namespace cvx
