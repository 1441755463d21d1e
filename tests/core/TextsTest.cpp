// Names, addresses, records and texts as the directory gives them and as they are shown,
// stored, searched and matched.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "core/AddressKey.h"
#include "core/AddressKeyMatch.h"
#include "core/FullName.h"
#include "core/Ipv4Address.h"
#include "core/LdapFilterText.h"
#include "core/NetworkAddressText.h"
#include "core/NoCaseFinder.h"
#include "core/PrintableLines.h"
#include "core/PrintableText.h"
#include "core/TextUtil.h"
#include "core/Twips.h"
#include "core/UNCtoDOTConversion.h"
#include "core/Validation.h"
#include "core/WorkstationRecord.h"

namespace cvx {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

TEST(FullNames, DottedBottomUpWithoutTheTreeAndLevelsKeptWhole) {
  const std::pair<std::string, std::string> cases[] = {
      {R"(NDS:\\CORP\ACME\SALES\JSMITH)", "JSMITH.SALES.ACME"},
      {R"(NDS:\\CORP)", "CORP"},
      {"JSMITH.SALES.ACME", "JSMITH.SALES.ACME"},
      {R"(CORP\ACME\WS01)", "WS01.ACME"},  // without the prefix the first part is the tree
      // Blanks around a level do not shift the cuts; blanks inside stay.
      {R"(  NDS:\\CORP\ ACME \Sales Team\WS01  )", "WS01.Sales Team.ACME"},
      {R"(NDS:\\CORP\ACME\\WS01)", "WS01..ACME"},  // an empty level stays a level
  };
  for (const auto& [full, dotted] : cases) EXPECT_EQ(DottedName(full), dotted) << full;

  std::string name = R"(NDS:\\CORP\ACME\WS01)";
  EXPECT_EQ(UNCtoDOTConversion(name), "WS01.ACME");
  EXPECT_EQ(name, "WS01.ACME");  // converted in place
  const auto parts = SplitFullName(R"(NDS:\\ CORP \ACME\WS01)");
  EXPECT_EQ(parts.componentsBottomUp, (Strings{"WS01", "ACME"}));
  EXPECT_EQ(parts.tree, "CORP");
  EXPECT_EQ(TreePartOfFullName(R"(nds:\\corp\ACME)"), "corp");
  EXPECT_EQ(JoinFullName("CORP", R"(ACME\SALES)"), R"(NDS:\\CORP\ACME\SALES)");
}

std::string Tagged(const std::string& type, std::initializer_list<unsigned char> bytes) {
  std::string raw = type + "#";
  for (auto b : bytes) raw += static_cast<char>(b);
  return raw;
}

// Values that are not quite an address of a known kind become hex, read within their bounds.
TEST(NetworkAddresses, MalformedOnesBecomeHexWithoutOverrun) {
  const std::pair<std::string, std::string> cases[] = {
      {Tagged("8", {0x00, 0x35, 10, 0, 0, 1}), "UDP 10.0.0.1"},
      {Tagged("0", {1, 2, 3}), "0 010203"},
      {Tagged("9", {0, 80, 10, 1, 2}), "9 00500A0102"},
      {"0#", "0 "},
      {"99999999999999999999#1", HexBytes("99999999999999999999#1")},
  };
  for (const auto& [raw, text] : cases) EXPECT_EQ(RenderNetworkAddress(raw), text) << text;
  EXPECT_EQ(Ipv4OfAddress(" UDP 192.168.0.255 "), "192.168.0.255");
  for (const char* none : {"IPX 00001001:0060B0100101:4003", "12 0A0B", "TCP 10.1.1.256",
                           "TCP 10.1.1", "TCP 10.1.1.1.1", ""}) {
    EXPECT_EQ(Ipv4OfAddress(none), std::nullopt) << none;
  }
}

// Once the tag is read the steps go literally: a leading blank is the first blank.
TEST(NetworkAddresses, TheKeyALoginAddressIsLookedUpBy) {
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {RenderNetworkAddress(Tagged("0", {0, 0, 16, 1, 0, 0x60, 0xB0, 0x0F, 0x3C, 0x21, 64, 3})),
       "0060B00F3C21"},
      {RenderNetworkAddress(Tagged("9", {2, 12, 10, 1, 2, 3})), "10.1.2.3"},
      {"UDP 192.168.7.200", "192.168.7.200"},  // found as the stored TCP address
      {" IPX 00001001:00A0C9100101:4003", "00A0C9100101"},
      {" TCP 10.1.2.3", "TCP 10.1.2.3"},
      {"IPX 00001001", "00001001"},
      {"TCP10.1.2.3:524", "TCP10.1.2.3:524"},
      {"13 DEADBEEF", std::nullopt},
      {"ipx 00001001:00A0C9100101:4003", std::nullopt},
  };
  for (const auto& [address, key] : cases) EXPECT_EQ(DecodeAddressKey(address), key) << address;
  // Without the tag check, as a target's first address is read whatever its kind.
  EXPECT_EQ(IpxAddressKey("13 DEADBEEF"), "DEADBEEF");
  EXPECT_EQ(IpxAddressKey("nothing"), "nothing");
}

TEST(AddressKeyMatch, WholeTokensOfEitherAddressNeverTheName) {
  const WorkstationRecord ws{"NDS:\\\\CORP\\10.1.2.3", "IPX 00001001:00A0C9100101:4005",
                             "TCP 10.1.2.30"};
  for (const char* key : {"00A0C9100101", "00a0c9100101", "10.1.2.30"}) {
    EXPECT_TRUE(RecordMatchesKey(ws, key)) << key;
  }
  for (const char* key : {"10.1.2.3", "0.1.2.30", "A0C9100101", "4005TCP", "00001001:00A0C91"}) {
    EXPECT_FALSE(RecordMatchesKey(ws, key)) << key;
  }
  for (const char* blank : {"", " "}) EXPECT_FALSE(FieldHoldsKey("TCP  -  10.1.2.3", blank));
  EXPECT_TRUE(FieldHoldsKey("TCP 10.1.2.30 TCP 10.1.2.3", "10.1.2.3"));  // a later occurrence
  // A field that is part of a longer text ends where its view ends.
  EXPECT_TRUE(FieldHoldsKey(std::string_view("TCP 10.1.2.34").substr(0, 12), "10.1.2.3"));
  // A key ends where no letter, digit, dot or byte of a UTF-8 sequence goes on: each edge of
  // those ranges, on either side.
  for (const std::string next : {"0", "9", "A", "Z", "a", "z", ".", "\x80", "\xff"}) {
    EXPECT_FALSE(FieldHoldsKey("TCP " + next + "10.1.2.3", "10.1.2.3")) << next;
    EXPECT_FALSE(FieldHoldsKey("TCP 10.1.2.3" + next, "10.1.2.3")) << next;
  }
  for (const std::string next : {"/", ":", "@", "[", "`", "{", "\x7f", "-"}) {
    EXPECT_TRUE(FieldHoldsKey("TCP " + next + "10.1.2.3", "10.1.2.3")) << next;
    EXPECT_TRUE(FieldHoldsKey("TCP 10.1.2.3" + next, "10.1.2.3")) << next;
  }
}

std::optional<Strings> Parse(std::string_view line) {
  const auto r = ParseWorkstationRecord(line);
  if (!r) return std::nullopt;
  return Strings{std::string(r->fullName), std::string(r->address1), std::string(r->address2)};
}

TEST(WorkstationRecord, ThreeQuotedFieldsOrNoRecord) {
  EXPECT_EQ(Parse("\"NDS:\\\\CORP\\DE\\M\xC3\xBCller\",\"IPX 1:2:3\",\"TCP 10.1.1.101\"\r"),
            (Strings{"NDS:\\\\CORP\\DE\\M\xC3\xBCller", "IPX 1:2:3", "TCP 10.1.1.101"}));
  EXPECT_EQ(Parse(R"("x,y","b,c","")"), (Strings{"x,y", "b,c", ""}));  // LF-only files too
  EXPECT_EQ(Parse("\"PC\xF0\x9F\x98\x80\",\"a\",\"\""), (Strings{"PC\xF0\x9F\x98\x80", "a", ""}));
  for (const std::string& line :
       {""s, "\r"s, "WS01,TCP 1.2.3.4,"s,
        R"(WS01","TCP 1.2.3.4","")"s,              // no opening quote
        R"("WS01","TCP 1.2.3.4")"s,                // two fields
        R"("WS01","TCP 1.2.3.4","","")"s,          // four fields
        R"("WS01", "TCP 1.2.3.4","")"s,            // blank after a comma
        R"("WS01","TCP 1.2.3.4","" )"s,            // trailing blank
        R"("WS01","TCP 1.2.3.4",")"s,              // unterminated field
        R"("WS"01","TCP 1.2.3.4","")"s,            // quote inside a field
        "\"WS01\",\"TCP 1.2.3.4\r\",\"\""s,        // lone CR
        "\"WS01\",\"TCP 1.2.3.4\",\"\"\r\r"s,      // CR CR
        "\"WS01\",\"TCP\t1.2.3.4\",\"\""s,         // control character
        "\"M\xFCller\",\"TCP 1.2.3.4\",\"\""s,     // Latin-1, not UTF-8
        "\"WS\xF4\x90\x80\x80\",\"TCP 1\",\"\""s,  // past U+10FFFF
        "\"WS\xF0\x9F\x98\",\"TCP 1\",\"\""s,      // a 4-byte sequence cut
        "\"" + std::string(kMaxRecordLength, 'A') + "\",\"TCP 1.2.3.4\",\"\""}) {
    EXPECT_FALSE(ParseWorkstationRecord(line)) << line.substr(0, 60);
  }
}

TEST(WorkstationRecord, FormatsOnlyWhatReadsBackUnchanged) {
  const auto line = FormatWorkstationRecord(R"(NDS:\\CORP\ACME\PC 12)", "IPX 1:2:3", "");
  ASSERT_TRUE(line);
  EXPECT_EQ(*line, "\"NDS:\\\\CORP\\ACME\\PC 12\",\"IPX 1:2:3\",\"\"\r\n");
  EXPECT_FALSE(FormatWorkstationRecord("WS\"01", "", ""));
  EXPECT_FALSE(FormatWorkstationRecord("WS01", "TCP 1.2.3.4\r\n\"X\",\"TCP 9.9.9.9", ""));
  EXPECT_FALSE(FormatWorkstationRecord("WS01", "", "\xFF"));
  EXPECT_FALSE(FormatWorkstationRecord(std::string(kMaxRecordLength, 'A'), "", ""));
}

TEST(LdapFilterText, EscapesWhatCouldEndOrWidenTheAssertion) {
  const std::pair<std::string, std::string> values[] = {
      {"*)(cn=*", R"(\2a\29\28cn=\2a)"},
      {R"(a\b)", R"(a\5cb)"},
      {"a\0b"s, R"(a\00b)"},
      {"\xFF\x80\x7F", "\\ff\\80\x7F"},
      {"a=b,c+d&|!~<>", "a=b,c+d&|!~<>"},  // special elsewhere, not in a filter value
  };
  for (const auto& [in, out] : values) EXPECT_EQ(EscapeLdapFilterValue(in), out) << out;
  const std::pair<std::string, std::string> patterns[] = {
      {"J*", "J*"},
      {"*)(cn=*", R"(*\29\28cn=*)"},
      {R"(\*)", R"(\5c*)"},
      {"a\0*"s, R"(a\00*)"},
      {"\xC3\x89*", R"(\c3\89*)"},
      {"a**b***", "a*b*"},  // runs of stars would make an empty substring
      {"**", "*"},
  };
  for (const auto& [in, out] : patterns) EXPECT_EQ(LdapWildcardFilterValue(in), out) << out;
  EXPECT_TRUE(IsMatchAllPattern("***"));
  EXPECT_FALSE(IsMatchAllPattern(""));
  EXPECT_FALSE(IsMatchAllPattern("*a*"));
}

TEST(PrintableText, EscapesWhatCouldForgeLinesOrDriveATerminal) {
  const struct {
    std::string in, out, reason;
  } cases[] = {
      {R"(NDS:\\CORP\ACME\Zoë)", R"(NDS:\\CORP\ACME\Zoë)", ""},
      {"WS\nFAKE\tLINE", R"(WS\nFAKE\tLINE)", "a control character"},
      {std::string("A\0B", 3), R"(A\x00B)", "a control character"},
      {"\x1b[2J\r\x7f", R"(\x1b[2J\r\x7f)", "a control character"},
      {"bad\xff\xc3", R"(bad\xff\xc3)", "invalid UTF-8"},
      {"\xc0\xaf", R"(\xc0\xaf)", "invalid UTF-8"},          // overlong "/"
      {"\xed\xa0\x80", R"(\xed\xa0\x80)", "invalid UTF-8"},  // surrogate
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", ""},          // 4-byte sequence kept
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrintableText(c.in), c.out) << c.out;
    EXPECT_EQ(UnprintableReason(c.in), c.reason) << c.out;
  }
  // A box's own lines stay lines; a line break inside a name does not.
  EXPECT_EQ(PrintableLines("Not found:\r\nWS\nX\x1b\r\n"), "Not found:\nWS\\nX\\x1b\n");
}

TEST(TextUtil, WildcardsListsBlanks) {
  // Only "*" is a wildcard, and a blank is a character like any other.
  for (const auto& [pattern, text, match] : {std::tuple{"js*", "JSMITH", true},
                                             {"*", "", true},
                                             {"a*b*c", "aXbYbZc", true},
                                             {" pc*", "PC 12", false},
                                             {"a*b*c", "aXbYbZ", false},
                                             {"j?*", "jsmith", false}}) {
    EXPECT_EQ(WildcardMatchNoCase(pattern, text), match) << pattern << " " << text;
  }
  EXPECT_EQ(SplitCommaList("Country, Organization,  Organizational Unit ,"),
            (std::vector<std::string>{"Country", "Organization", "Organizational Unit"}));
  EXPECT_EQ(TrimBlanks("\ta b  "), "\ta b");  // only blanks are trimmed
  EXPECT_EQ(BlankScore("@"), 2.0f);           // 64 / 32: one character, not blank
  for (const char* blank : {"", " ", "          "}) EXPECT_FALSE(IsSearchableText(blank));
  for (const char* name : {" j", "@", "M\xC3\xBCller"}) EXPECT_TRUE(IsSearchableText(name));
}

std::size_t Find(const NoCaseFinder& f, std::string_view hay) {
  const char* at = f.Find(hay.data(), hay.data() + hay.size());
  return at == hay.data() + hay.size() ? std::string_view::npos
                                       : static_cast<std::size_t>(at - hay.data());
}

TEST(NoCaseFinder, AgreesWithAPlainSearchEverywhere) {
  // Small alphabets force many near misses; every length and offset crosses the 16-byte blocks.
  std::mt19937 rng(7);
  const auto text = [&](std::size_t size) {
    std::string s(size, ' ');
    for (auto& c : s) c = "0aA1:.bB\""[rng() % 9];
    return s;
  };
  const auto lower = [](std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string hay = text(rng() % 90);
    const std::string needle = text(1 + rng() % 12);
    if (round % 2 == 0 && hay.size() >= needle.size()) {
      hay.replace(rng() % (hay.size() - needle.size() + 1), needle.size(), lower(needle));
    }
    EXPECT_EQ(Find(NoCaseFinder(needle), hay), lower(hay).find(lower(needle)))
        << needle << " in " << hay;
  }
  // Bytes that differ in bit 5 but are not two cases of one letter stay different; UTF-8 is not
  // folded; the end of the buffer is the end.
  EXPECT_EQ(Find(NoCaseFinder("@["), "`{ @{ `[ xx"), std::string_view::npos);
  EXPECT_EQ(Find(NoCaseFinder("\xC3\xA4"), "\xC3\x84 \xC3\xA4"), 3u);
  const std::string hay = std::string(47, 'x') + "KEY";
  EXPECT_EQ(Find(NoCaseFinder("key"), hay), 47u);
  EXPECT_EQ(Find(NoCaseFinder("key"), std::string_view(hay).substr(0, 49)), std::string_view::npos);
}

// 1440 twips to the inch; a screen without a dpi counts as 96 dpi; halves round away from zero.
TEST(Twips, ConvertAtTheScreensDpiAndPixelsSurviveTheRoundTrip) {
  struct Case {
    double twips, dpi;
    int pixels;
  };
  for (const Case& c : {Case{8000, 96, 533}, Case{3000, 192, 400}, Case{1500, 0, 100},
                        Case{7, 96, 0}, Case{7.5, 96, 1}, Case{22, 96, 1}, Case{-7.5, 96, -1}}) {
    EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
  }
  EXPECT_EQ(PixelsToTwips(120, 120), 1440);
  EXPECT_EQ(PixelsToTwips(100, -1), 1500);
  // Stored positions are read back from placed widgets; a drift of one pixel per save and
  // restore would walk a splitter across the window over many runs.
  for (double dpi : {72.0, 96.0, 110.0, 120.0, 144.0, 157.5, 192.0}) {
    for (int px = -50; px <= 2000; ++px) {
      ASSERT_EQ(TwipsToPixels(PixelsToTwips(px, dpi), dpi), px) << "dpi " << dpi;
    }
  }
}

}  // namespace
}  // namespace cvx
