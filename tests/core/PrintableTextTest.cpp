#include "core/PrintableText.h"

#include <gtest/gtest.h>

#include "core/PrintableLines.h"

namespace cvx {
namespace {

TEST(PrintableText, EscapesWhatCouldForgeLinesOrDriveATerminal) {
  const struct {
    std::string in, out, reason;
  } cases[] = {
      {R"(NDS:\\CORP\ACME\Zoë)", R"(NDS:\\CORP\ACME\Zoë)", ""},
      {"WS\nFAKE\tLINE", R"(WS\nFAKE\tLINE)", "a control character"},
      {std::string("A\0B", 3), R"(A\x00B)", "a control character"},
      {"\x1b[2J\r\x7f", R"(\x1b[2J\r\x7f)", "a control character"},
      {"bad\xff\xc3", R"(bad\xff\xc3)", "invalid UTF-8"},
      {"\xc0\xaf", R"(\xc0\xaf)", "invalid UTF-8"},                  // overlong "/"
      {"\xed\xa0\x80", R"(\xed\xa0\x80)", "invalid UTF-8"},          // surrogate
      {"\xf4\x90\x80\x80", R"(\xf4\x90\x80\x80)", "invalid UTF-8"},  // past U+10FFFF
      {"\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80", ""},                  // 4-byte sequence kept
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PrintableText(c.in), c.out) << c.out;
    EXPECT_EQ(UnprintableReason(c.in), c.reason) << c.out;
  }
}

// A box's own lines stay lines; a line break inside a name does not.
TEST(PrintableLines, KeepsTheMessagesLinesAndEscapesTheRest) {
  EXPECT_EQ(PrintableLines("Not found:\r\nWS\nX\x1b\r\n"), "Not found:\nWS\\nX\\x1b\n");
  EXPECT_EQ(PrintableLines("one line"), "one line");
}

}  // namespace
}  // namespace cvx
