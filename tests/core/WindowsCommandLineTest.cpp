#include "core/WindowsCommandLine.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

using Args = std::vector<std::string>;

TEST(SplitWindowsCommandLine, QuotesGroupAndVanish) {
  EXPECT_EQ(
      SplitWindowsCommandLine(
          R"(\\FS1\sys\public\zenworks\wviewnt.exe -w"WS 01.SALES" -n"CORP"  -c"Remote Control")"),
      (Args{R"(\\FS1\sys\public\zenworks\wviewnt.exe)", "-wWS 01.SALES", "-nCORP",
            "-cRemote Control"}));
  EXPECT_EQ(SplitWindowsCommandLine("p a\tb  \"\" c\"d e\"f"), (Args{"p", "a", "b", "", "cd ef"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p -d"")"), (Args{"p", "-d"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p "unterminated arg)"), (Args{"p", "unterminated arg"}));
  EXPECT_TRUE(SplitWindowsCommandLine("").empty());
  EXPECT_TRUE(SplitWindowsCommandLine(" \t ").empty());
}

TEST(SplitWindowsCommandLine, BackslashesCountOnlyBeforeAQuote) {
  EXPECT_EQ(SplitWindowsCommandLine(R"(p a\\b a\"b a\\"b c" a\\\"b)"),
            (Args{"p", R"(a\\b)", R"(a"b)", R"(a\b c)", R"(a\"b)"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p "a\\" b)"), (Args{"p", R"(a\)", "b"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p \\)"), (Args{"p", R"(\\)"}));
}

TEST(SplitWindowsCommandLine, DoubledQuoteInsideQuotesIsALiteralQuote) {
  EXPECT_EQ(SplitWindowsCommandLine(R"(p "a""b" c)"), (Args{"p", R"(a"b c)"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p """a b)"), (Args{"p", R"("a)", "b"}));
}

TEST(SplitWindowsCommandLine, ProgramNameHasItsOwnRules) {
  // No escapes in the program name; a quoted one may hold blanks.
  EXPECT_EQ(SplitWindowsCommandLine(R"("C:\Program Files\x.exe" -a)"),
            (Args{R"(C:\Program Files\x.exe)", "-a"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(\\srv\a\b.exe\" x)"), (Args{R"(\\srv\a\b.exe\")", "x"}));
  EXPECT_EQ(SplitWindowsCommandLine(" x"), (Args{"", "x"}));
}

}  // namespace
}  // namespace cvx
