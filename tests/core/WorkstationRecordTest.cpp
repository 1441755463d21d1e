#include "core/WorkstationRecord.h"

#include <gtest/gtest.h>

#include "core/AddressKeyMatch.h"

namespace cvx {
namespace {

struct Fields {
  std::string name, a1, a2;
  bool operator==(const Fields&) const = default;
};

std::optional<Fields> Parse(std::string_view line) {
  const auto r = ParseWorkstationRecord(line);
  if (!r) return std::nullopt;
  return Fields{std::string(r->fullName), std::string(r->address1), std::string(r->address2)};
}

TEST(WorkstationRecord, ReadsThreeQuotedFields) {
  EXPECT_EQ(
      Parse(R"("NDS:\\CORP\ACME\SALES\WS01","IPX 00001001:00A0C9100101:4005","TCP 10.1.1.101")"
            "\r"),
      (Fields{R"(NDS:\\CORP\ACME\SALES\WS01)", "IPX 00001001:00A0C9100101:4005",
              "TCP 10.1.1.101"}));
  EXPECT_EQ(Parse(R"("a","b","")"), (Fields{"a", "b", ""}));          // LF-only files too
  EXPECT_EQ(Parse(R"("x,y","b,c","")"), (Fields{"x,y", "b,c", ""}));  // commas inside fields
  EXPECT_EQ(Parse("\"PC\xF0\x9F\x98\x80\",\"a\",\"\""), (Fields{"PC\xF0\x9F\x98\x80", "a", ""}));
  EXPECT_EQ(Parse("\"NDS:\\\\CORP\\DE\\M\xC3\xBCller-PC\",\"TCP 10.49.1.101\",\"\""),
            (Fields{"NDS:\\\\CORP\\DE\\M\xC3\xBCller-PC", "TCP 10.49.1.101", ""}));
}

TEST(WorkstationRecord, MalformedLinesAreNoRecords) {
  const std::string overlong =
      "\"" + std::string(kMaxRecordLength, 'A') + "\",\"TCP 1.2.3.4\",\"\"";
  for (const std::string& line :
       {std::string(""), std::string("\r"), std::string("WS01,TCP 1.2.3.4,"),
        std::string(R"(WS01","TCP 1.2.3.4","")"),                // no opening quote
        std::string(R"("WS01","TCP 1.2.3.4")"),                  // two fields
        std::string(R"("WS01","TCP 1.2.3.4","","")"),            // four fields
        std::string(R"("WS01", "TCP 1.2.3.4","")"),              // blank after a comma
        std::string(R"("WS01","TCP 1.2.3.4","" )"),              // trailing blank
        std::string(R"("WS01","TCP 1.2.3.4",")"),                // unterminated field
        std::string(R"("WS"01","TCP 1.2.3.4","")"),              // quote inside a field
        std::string("\"WS01\",\"TCP 1.2.3.4\r\",\"\""),          // lone CR
        std::string("\"WS01\",\"TCP 1.2.3.4\",\"\"\r\r"),        // CR CR
        std::string("\"WS01\",\"TCP\t1.2.3.4\",\"\""),           // control character
        std::string("\"M\xFCller\",\"TCP 1.2.3.4\",\"\""),       // Latin-1, not UTF-8
        std::string("\"WS\xC3\",\"TCP 1.2.3.4\",\"\""),          // cut UTF-8 sequence
        std::string("\"WS\xED\xA0\x80\",\"TCP 1.2.3.4\",\"\""),  // surrogate
        std::string("\"WS\xF4\x90\x80\x80\",\"TCP 1\",\"\""),    // past U+10FFFF
        std::string("\"WS\xF0\x9F\x98\",\"TCP 1\",\"\""),        // a 4-byte sequence cut
        overlong}) {
    EXPECT_FALSE(ParseWorkstationRecord(line)) << line.substr(0, 60);
  }
}

TEST(WorkstationRecord, FormatsWhatItCanReadBack) {
  const auto line = FormatWorkstationRecord(R"(NDS:\\CORP\ACME\PC 12)", "IPX 1:2:3", "");
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "\"NDS:\\\\CORP\\ACME\\PC 12\",\"IPX 1:2:3\",\"\"\r\n");
  EXPECT_EQ(Parse(std::string_view(*line).substr(0, line->size() - 1)),
            (Fields{R"(NDS:\\CORP\ACME\PC 12)", "IPX 1:2:3", ""}));

  EXPECT_FALSE(FormatWorkstationRecord("WS\"01", "", ""));
  EXPECT_FALSE(FormatWorkstationRecord("WS01", "TCP 1.2.3.4\r\n\"X\",\"TCP 9.9.9.9", ""));
  EXPECT_FALSE(FormatWorkstationRecord("WS01", "", "\xFF"));
  EXPECT_FALSE(FormatWorkstationRecord(std::string(kMaxRecordLength, 'A'), "", ""));
}

TEST(AddressKeyMatch, WholeTokensInEitherAddress) {
  const WorkstationRecord ws{"NDS:\\\\CORP\\10.1.2.3", "IPX 00001001:00A0C9100101:4005",
                             "TCP 10.1.2.30"};
  EXPECT_TRUE(RecordMatchesKey(ws, "00A0C9100101"));  // node between colons
  EXPECT_TRUE(RecordMatchesKey(ws, "00a0c9100101"));  // case ignored
  EXPECT_TRUE(RecordMatchesKey(ws, "10.1.2.30"));     // second address only
  EXPECT_FALSE(RecordMatchesKey(ws, "10.1.2.3"));     // a prefix is not the address
  EXPECT_FALSE(RecordMatchesKey(ws, "0.1.2.30"));     // nor a suffix
  EXPECT_FALSE(RecordMatchesKey(ws, "A0C9100101"));
  EXPECT_FALSE(RecordMatchesKey(ws, "4005TCP"));  // no match across the two addresses
  EXPECT_FALSE(RecordMatchesKey(ws, "00001001:00A0C91"));

  EXPECT_TRUE(FieldHoldsKey("TCP 10.1.2.3:524", "10.1.2.3"));
  EXPECT_TRUE(FieldHoldsKey("TCP 10.1.2.30 TCP 10.1.2.3", "10.1.2.3"));  // a later occurrence
  EXPECT_FALSE(FieldHoldsKey("TCP 110.1.2.3", "10.1.2.3"));
  EXPECT_FALSE(FieldHoldsKey("TCP 10.1.2.3.4", "10.1.2.3"));
  // A key ends where no letter, digit, dot or byte of a UTF-8 sequence goes on: each edge of those
  // ranges, on either side.
  for (const std::string next : {"0", "9", "A", "Z", "a", "z", ".", "\x80", "\xff"}) {
    EXPECT_FALSE(FieldHoldsKey("TCP " + next + "10.1.2.3", "10.1.2.3")) << next;
    EXPECT_FALSE(FieldHoldsKey("TCP 10.1.2.3" + next, "10.1.2.3")) << next;
  }
  for (const std::string next : {"/", ":", "@", "[", "`", "{", "\x7f", "-"}) {
    EXPECT_TRUE(FieldHoldsKey("TCP " + next + "10.1.2.3", "10.1.2.3")) << next;
    EXPECT_TRUE(FieldHoldsKey("TCP 10.1.2.3" + next, "10.1.2.3")) << next;
  }
}

TEST(AddressKeyMatch, EmptyOrBlankKeysMatchNothing) {
  const WorkstationRecord ws{"WS01", "TCP 10.1.2.3", ""};
  EXPECT_FALSE(RecordMatchesKey(ws, ""));
  EXPECT_FALSE(RecordMatchesKey(ws, "   "));
  EXPECT_FALSE(IsMatchableKey(" "));
  EXPECT_TRUE(IsMatchableKey(" 1"));
  // The full name is never searched.
  EXPECT_FALSE(RecordMatchesKey(ws, "WS01"));
}

}  // namespace
}  // namespace cvx
