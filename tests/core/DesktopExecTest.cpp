#include "core/DesktopExec.h"

#include <gtest/gtest.h>

#include "core/ExecFieldCodes.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;

Args Split(std::string_view value) {
  const ExecSplit split = SplitDesktopExec(value);
  EXPECT_EQ(split.error, "") << value;
  return split.arguments;
}

std::string ErrorOf(std::string_view value) {
  return SplitDesktopExec(value).error;
}

TEST(SplitDesktopExec, BlanksSeparateAndDoubleQuotesGroup) {
  EXPECT_EQ(Split("x-terminal-emulator -e ssh admin@%a"),
            (Args{"x-terminal-emulator", "-e", "ssh", "admin@%a"}));
  EXPECT_EQ(Split("  p  a   b "), (Args{"p", "a", "b"}));
  EXPECT_EQ(Split(R"(p "--label=%w on %n" "" x)"), (Args{"p", "--label=%w on %n", "", "x"}));
  // Quoted and plain parts next to each other are one argument.
  EXPECT_EQ(Split(R"(p --title="a b"c)"), (Args{"p", "--title=a bc"}));
  // Inside quotes the shell's characters are plain text.
  EXPECT_EQ(Split(R"(p "a|b;c>d<e~f&g*h?i#j(k)l'm	n")"),
            (Args{"p", "a|b;c>d<e~f&g*h?i#j(k)l'm\tn"}));
}

TEST(SplitDesktopExec, StringEscapesComeBeforeTheQuotingRules) {
  // In the file a literal backslash inside quotes is written \\\\, a dollar \\$, a quote \".
  EXPECT_EQ(Split(R"(p "C:\\\\x" "\\$HOME" "say \"hi\"" "\\`")"),
            (Args{"p", R"(C:\x)", "$HOME", R"(say "hi")", "`"}));
  // \s is a blank before the line is split: outside quotes it separates.
  EXPECT_EQ(Split(R"(p a\sb "c\sd")"), (Args{"p", "a", "b", "c d"}));
  EXPECT_EQ(Split(R"(p "line\nbreak")"), (Args{"p", "line\nbreak"}));
}

TEST(SplitDesktopExec, ShellSyntaxIsRefusedNotGuessed) {
  for (const char* value : {"ssh host | tee log", "p 'a b'", "p ~/bin", "p $HOME", "p a;b",
                            "p `id`", R"(p a\b)", "p a\tb", "p # comment", "p a*"}) {
    EXPECT_NE(ErrorOf(value).find("must be inside double quotes"), std::string::npos) << value;
  }
  EXPECT_NE(ErrorOf(R"(p "$HOME")").find("must be escaped"), std::string::npos);
  EXPECT_NE(ErrorOf(R"(p "a\xb")").find("may only precede"), std::string::npos);
  EXPECT_NE(ErrorOf(R"(p "open)").find("not closed"), std::string::npos);
  EXPECT_EQ(Split(""), Args{});
}

TEST(ExecFieldCodes, KnownCodesExpandInsideTheirArgumentOnce) {
  const auto value = [](char code) -> std::string_view {
    return code == 'w' ? "WS 01.SALES" : code == 'n' ? "%n" : "";
  };
  EXPECT_EQ(ExpandFieldCodes("--label=%w on %n", value), "--label=WS 01.SALES on %n");
  EXPECT_EQ(ExpandFieldCodes("100%% of %w%%", value), "100% of WS 01.SALES%");
  EXPECT_EQ(ExpandFieldCodes("%%w", value), "%w");
  EXPECT_FALSE(HoldsFieldCode("%%a", 'a'));
  EXPECT_EQ(UnknownFieldCode("a%%%x"), "%x");
  EXPECT_EQ(UnknownFieldCode("%F"), "%F");  // codes are case-sensitive
}

}  // namespace
}  // namespace cvx
