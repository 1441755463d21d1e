// Command lines, argument lists and program options formed from what users and the directory
// give: a name must never become an option, a second command or a value outside its quotes.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/BuildRCCommand.h"
#include "core/CommandLine.h"
#include "core/DesktopExec.h"
#include "core/ExecFieldCodes.h"
#include "core/OwnActionCommand.h"
#include "core/OwnActionsFile.h"
#include "core/WindowsCommandLine.h"
#include "support/TempFolder.h"

namespace cvx {
namespace {

using Args = std::vector<std::string>;

bool Holds(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

RCCommandRequest Request(std::string_view code, std::string_view fullName,
                         std::string_view inventory = "", std::string_view server = "FS1",
                         bool extended = true) {
  return RCCommandRequest{fullName, code, extended, server, inventory};
}

TEST(BuildRCCommand, FormsTheLineOrSaysWhyNot) {
  struct Case {
    RCCommandRequest request;
    std::string line;
    std::optional<std::string_view> status = "";  // none: the status bar is left alone
    bool history = true;
  };
  const std::string_view ws = R"(NDS:\\CORP\ACME\SALES\WS01)";
  const std::string zen = R"(\\FS1\sys\public\zenworks\)";
  const std::string rc = R"(wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control")";
  const Case cases[] = {
      {Request("RC", ws), zen + rc},
      {Request("RC", ws, "", "FS1", false), R"(\\FS1\sys\public\win32\)" + rc},
      // The inventory server as typed, and only where it is used.
      {Request("RI", ws, " inv\\x "),
       zen + R"(desktop.exe -w"WS01.SALES.ACME" -n"CORP" -c"Inventory" -d" inv\x ")"},
      {Request("RC", ws, "\""), zen + rc},
      // Blanks around levels go. Shell syntax is only text: no shell ever reads the line.
      {Request("RC", R"(NDS:\\ CORP \ACME\$(touch x); rm y )"),
       zen + R"(wviewnt.exe -w"$(touch x); rm y.ACME" -n"CORP" -c"Remote Control")"},
      {Request("XX", ws), ""},
      {Request("RC", ws, "", ""), "", std::nullopt, false},
      {Request("RC", R"(NDS:\\CORP\ACME\WS01" -w"WS99)"), "", kRefusedWorkstation, false},
      {Request("RC", "NDS:\\\\CORP\\ACME\\WS01\nX"), "", kRefusedWorkstation, false},
      {Request("RC", "NDS:\\\\CO\x7fRP\\ACME\\WS01"), "", kRefusedTree, false},
      {Request("RI", ws, R"(10.1.1.5" -w"WS99)"), "", kRefusedInventoryServer, false},
      {Request("RI", ws, "10.1.1.5\r\n"), "", kRefusedInventoryServer, false},
      {Request("RC", R"(NDS:\\CORP)"), "", kRefusedNoWorkstation, false},
      {Request("RC", ws, "", ".."), "", kRefusedServer, false},
      {Request("RC", ws, "", "."), "", kRefusedServer, false},
      {Request("RC", ws, "", "FS1/../.."), "", kRefusedServer, false},
      {Request("RC", ws, "", "FS1 -x"), "", kRefusedServer, false},
      {Request("RC", ws, "", "FS1\""), "", kRefusedServer, false},
  };
  for (const Case& c : cases) {
    const auto outcome = BuildRCCommand(c.request);
    SCOPED_TRACE(testing::Message() << c.request.fullName << " " << c.request.serverName << " "
                                    << c.request.inventoryServer);
    EXPECT_EQ(outcome.commandLine, c.line);
    EXPECT_EQ(outcome.statusText, c.status);
    EXPECT_EQ(outcome.addHistory, c.history);
  }
}

OwnAction Action(std::string_view exec) {
  OwnAction action;
  action.arguments = SplitDesktopExec(exec).arguments;
  for (const auto& arg : action.arguments) action.usesAddress |= HoldsFieldCode(arg, 'a');
  return action;
}

TEST(FormOwnActionCommand, EachCodeFillsItsArgumentAndNoValueBecomesAnOption) {
  const std::string pc12 = R"(NDS:\\CORP\ACME\Field Service\PC 12)";
  const std::string pc = "PC 12.Field Service.ACME";
  const std::string dashed = R"(NDS:\\CORP\ACME\-oProxyCommand=x)";
  const std::string lineEnd = "NDS:\\\\CORP\\ACME\\WS\n01";
  struct Case {
    std::string exec;
    OwnActionTarget target;
    Args arguments;
    std::string refusal = "";  // a part of the status text; empty: started
  };
  const Case cases[] = {
      {R"(rec %w "--label=%w on %n" %f user=%u %a 100%%)",
       {pc12, R"(NDS:\\CORP\ACME\SALES\TCLARK)", "10.1.4.112"},
       {"rec", pc, "--label=" + pc + " on CORP", pc12, "user=TCLARK.SALES.ACME", "10.1.4.112",
        "100%"}},
      // An empty lone code is left out, an empty part of an argument is kept.
      {R"(p %u "%u" --user=%u %w)", {pc12, "", std::nullopt}, {"p", "--user=", pc}},
      // A "-" inside an argument is only text; an option the action writes itself stays; a value
      // that is never used refuses nothing.
      {"ssh host=%w -l%u%w %%%w",
       {dashed, "", std::nullopt},
       {"ssh", "host=-oProxyCommand=x.ACME", "-l-oProxyCommand=x.ACME", "%-oProxyCommand=x.ACME"}},
      {"ping %a", {lineEnd, "", "10.0.0.1"}, {"ping", "10.0.0.1"}},
      {"ssh admin@%a", {pc12, "", std::nullopt}, {}, "no IPv4 address is known for PC 12."},
      {"p %w", {lineEnd, "", std::nullopt}, {}, "workstation name holds a control character"},
      {"p %f", {lineEnd, "", std::nullopt}, {}, "full name holds a control character"},
      {"ssh %w", {dashed, "", std::nullopt}, {}, "workstation name starts with \"-\""},
      // %u is empty for a workstation, so %w starts the argument all the same.
      {"ssh %u%w", {dashed, "", std::nullopt}, {}, "workstation name starts with \"-\""},
      {"ssh %u%w", {pc12, R"(NDS:\\CORP\-oX=y)", std::nullopt}, {}, "user name starts with \"-\""},
      {"p %w", {"NDS:\\\\CORP", "", std::nullopt}, {}, "no workstation below the tree"},
  };
  for (const Case& c : cases) {
    const auto command = FormOwnActionCommand(Action(c.exec), c.target);
    EXPECT_EQ(command.arguments, c.arguments) << c.exec;
    EXPECT_EQ(command.statusText.has_value(), !c.refusal.empty()) << c.exec;
    EXPECT_TRUE(Holds(command.statusText.value_or(""), c.refusal)) << c.exec;
  }
}

TEST(SplitDesktopExec, BlanksSplitDoubleQuotesGroupAndShellSyntaxIsRefused) {
  const std::pair<std::string_view, Args> split[] = {
      {"  ssh  admin@%a   b ", {"ssh", "admin@%a", "b"}},
      {R"(p "--label=%w on %n" "" x --title="a b"c)",
       {"p", "--label=%w on %n", "", "x", "--title=a bc"}},
      {R"(p "a|b;c>d<e~f&g*h?i#j(k)l'm	n")", {"p", "a|b;c>d<e~f&g*h?i#j(k)l'm\tn"}},
      // The string escapes come first: in the file a backslash inside quotes is \\\\, a dollar
      // \\$; \s is a blank that separates outside quotes.
      {R"(p "C:\\\\x" "\\$HOME" "say \"hi\"" "\\`" a\sb "c\sd" "e\nf")",
       {"p", R"(C:\x)", "$HOME", R"(say "hi")", "`", "a", "b", "c d", "e\nf"}},
      {"", {}},
  };
  for (const auto& [value, arguments] : split) {
    const ExecSplit s = SplitDesktopExec(value);
    EXPECT_EQ(s.arguments, arguments) << value;
    EXPECT_EQ(s.error, "") << value;
  }
  // Refused, not guessed at: the administrator learns which character to quote or escape.
  for (const char* value :
       {"ssh host | tee log", "p 'a b'", "p ~/bin", "p $HOME", "p a;b", "p `id`", R"(p a\b)",
        "p a\tb", "p # x", "p a*", R"(p "$HOME")", R"(p "a\xb")", R"(p "open)"}) {
    const ExecSplit s = SplitDesktopExec(value);
    EXPECT_NE(s.error, "") << value;
    EXPECT_TRUE(s.arguments.empty()) << value;
  }
}

TEST(ExecFieldCodes, KnownCodesExpandInsideTheirArgumentOnce) {
  const auto value = [](char code) -> std::string_view {
    return code == 'w' ? "WS 01.SALES" : code == 'n' ? "%n" : "";
  };
  EXPECT_EQ(ExpandFieldCodes("--label=%w on %n", value), "--label=WS 01.SALES on %n");
  EXPECT_EQ(ExpandFieldCodes("100%% of %w%%%", value), "100% of WS 01.SALES%%");
  EXPECT_FALSE(HoldsFieldCode("%%a", 'a'));
  EXPECT_EQ(UnknownFieldCode("a%%%x"), "%x");
  EXPECT_EQ(UnknownFieldCode("%F"), "%F");  // codes are case-sensitive
}

TEST(SplitWindowsCommandLine, QuotesAndBackslashesAsTheProgramReadsThem) {
  const std::pair<std::string_view, Args> cases[] = {
      {R"(\\FS1\x\wviewnt.exe -w"WS 01.SALES" -n"CORP"  -c"Remote Control")",
       {R"(\\FS1\x\wviewnt.exe)", "-wWS 01.SALES", "-nCORP", "-cRemote Control"}},
      {"p a\tb  \"\" c\"d e\"f -d\"\"", {"p", "a", "b", "", "cd ef", "-d"}},
      // Backslashes count only before a quote; a doubled quote inside quotes is a quote.
      {R"(p a\\b a\"b a\\"b c" a\\\"b \\)",
       {"p", R"(a\\b)", R"(a"b)", R"(a\b c)", R"(a\"b)", R"(\\)"}},
      {R"(p "a\\" b)", {"p", R"(a\)", "b"}},
      {R"(p "a""b" c)", {"p", R"(a"b c)"}},
      // The program's name has no escapes, and a quoted one may hold blanks.
      {R"("C:\Program Files\x.exe" -a)", {R"(C:\Program Files\x.exe)", "-a"}},
      {R"(\\srv\a\b.exe\" x)", {R"(\\srv\a\b.exe\")", "x"}},
      {" x", {"", "x"}},
  };
  for (const auto& [line, arguments] : cases) {
    EXPECT_EQ(SplitWindowsCommandLine(std::string(line)), arguments) << line;
  }
}

// Everything a parse set, in one text, so that each case also shows what it must not set.
std::string Found(const CommandLineOptions& o) {
  std::string s;
  const std::pair<const char*, const std::string*> values[] = {
      {"tree", &o.cmdLineTree}, {"db", &o.dbPath},     {"build", &o.dbBuildContext},
      {"target", &o.target},    {"action", &o.action}, {"server", &o.server}};
  for (const auto& [name, value] : values) {
    if (!value->empty()) s += std::string(name) + "=" + *value + "|";
  }
  if (o.autoClose) s += "autoclose|";
  if (o.showHelp) s += "help|";
  if (o.dryRun) s += "dry-run|";
  if (!o.problem.empty()) s += "problem: " + o.problem;
  return s;
}

TEST(SplitCommandLine, EveryRunBetweenSlashesIsOneArgumentAndTenAtMost) {
  EXPECT_EQ(SplitCommandLine(R"(lead /tree=NDS:\\CORP /dbpath=c:\db)"),
            (Args{"", "lead ", R"(tree=NDS:\\CORP )", R"(dbpath=c:\db)"}));
  EXPECT_EQ(SplitCommandLine("///"), (Args{""}));
  EXPECT_EQ(SplitCommandLine("/a b/c", 1), (Args{"", "a b"}));
  EXPECT_EQ(SplitCommandLine("/1/2/3/4/5/6/7/8/9/10/11").back(), "10");
}

TEST(ParseProgramArguments, SlashAndGnuForms) {
  const std::string noDb = "problem: the database folder option names no folder";
  const std::pair<Args, std::string> cases[] = {
      // Options match at the start of an argument, in any case; values lose the blanks around
      // them and one trailing backslash.
      {{R"(/TREE=NDS:\\CORP\ /DbPath=c:\db\\ /AUTOCLOSE)"},
       R"(tree=NDS:\\CORP|db=c:\db\|autoclose|)"},
      {{R"(/dbbuild=  NDS:\\CORP\WS\  )", "/  tree=CORP"}, R"(tree=CORP|build=NDS:\\CORP\WS|)"},
      // An option's text inside another option's value is part of that value.
      {{R"(/dbbuild=NDS:\\CORP\AutoClose-Lab)"}, R"(build=NDS:\\CORP\AutoClose-Lab|)"},
      {{"/tree=what?", "/dbpath=x/autoclosed", "/noautoclose"}, "tree=what?|db=x|"},
      {{"/?", "/autoclose"}, "autoclose|help|"},
      {{"/1/2/3/4/5/6/7/8/9/10/tree=X"}, ""},
      // Empty values and unknown arguments change nothing.
      {{R"(/tree=NDS:\\A /tree= /nonsense /dbbuild=\)"}, R"(tree=NDS:\\A|)"},
      // The blank joining two arguments ends the first value.
      {{R"(/dbpath=c:\db\)", "/autoclose"}, R"(db=c:\db|autoclose|)"},
      // A flag counts only as a whole argument.
      {{"--autoclose=yes", "--autoclosed", "--dry-run=no", "--dry-runs", "--helps"}, ""},
      {{"--dbpath=/var/lib/cvx/", R"(/tree=NDS:\\A)", "--tree=NDS:\\\\B", "--dbbuild=X",
        "--target=PC 12", "--action=ch", "--server=FS1", "--autoclose", "--dry-run", "--help"},
       R"(tree=NDS:\\B|db=/var/lib/cvx/|build=X|target=PC 12|action=ch|server=FS1|)"
       "autoclose|help|dry-run|"},
      // A Unix path after the slash form is taken whole.
      {{"/autoclose", "/dbpath=/var/lib/x"}, "db=/var/lib/x|autoclose|"},
      {{R"(/tree=NDS:\\A/DBPATH= /srv/db dir/)"}, R"(tree=NDS:\\A|db=/srv/db dir/|)"},
      {{R"(/tree=NDS:\\A/dbpath=/x/autoclose)"}, R"(tree=NDS:\\A|db=/x/autoclose|)"},
      {{"/dbpath=", "--dbpath=/srv"}, "db=/srv|"},
      {{"/dbpath=", "/var/lib/x"}, noDb},
      {{"--dbpath=", "/dbpath="}, noDb},
      {{"--target="}, "problem: --target= names no target"},
      {{"--target=\\", "--target=  "}, "problem: --target= names no target"},
  };
  for (const auto& [argv, found] : cases) {
    const std::string got = Found(ParseProgramArguments(argv));
    EXPECT_EQ(got.substr(0, found.size()), found) << argv.front();
    EXPECT_TRUE(got.size() == found.size() || found.starts_with("problem")) << got;
  }
  EXPECT_EQ(JoinSlashArguments({"/tree=X", "--autoclose", "/dbpath=c:\\db"}),
            "/tree=X /dbpath=c:\\db");
}

const std::string kFile = "/home/admin/.config/corvexa/actions.ini";

std::vector<std::string> Names(const OwnActionsFile& file) {
  std::vector<std::string> names;
  for (const auto& a : file.actions) names.push_back(a.name);
  return names;
}

TEST(ParseOwnActions, SectionsInFileOrderWithTheirCaptionAndArguments) {
  const OwnActionsFile file = ParseOwnActions(
      "\xEF\xBB\xBF[action SSH]\r\n"  // saved with a byte-order mark
      "# the administrator's tools\r\n"
      "Caption = SSH terminal\r\n"
      "Exec=x-terminal-emulator -e ssh admin@%a\r\n"
      "\n"
      "[action RDP]\n"
      "X-Note=kept for the helpdesk\n"
      "Caption[de]=Fernsteuerung\n"
      "Exec=xfreerdp \"/v:%a\" \"/title:%w (%n)\"\n"
      "[action Web console]\n"
      "Exec=xdg-open https://%w/console\n",
      kFile);
  ASSERT_TRUE(file.problems.empty()) << file.problems.front();
  EXPECT_EQ(Names(file), (std::vector<std::string>{"SSH", "RDP", "Web console"}));
  EXPECT_EQ(file.actions[0].caption, "SSH terminal");
  EXPECT_EQ(file.actions[0].arguments, (Args{"x-terminal-emulator", "-e", "ssh", "admin@%a"}));
  EXPECT_EQ(file.actions[1].arguments, (Args{"xfreerdp", "/v:%a", "/title:%w (%n)"}));
  EXPECT_EQ(file.actions[2].caption, "Web console");  // no caption: the name
  EXPECT_TRUE(file.actions[1].usesAddress);
  EXPECT_FALSE(file.actions[2].usesAddress);
  EXPECT_EQ(FindOwnAction(file.actions, "RDP"), &file.actions[1]);
  EXPECT_EQ(FindOwnAction(file.actions, "rdp"), nullptr);
}

// Each bad action is left out with one message naming the file and the line of its fault; the
// good ones around it are still read.
TEST(ParseOwnActions, EachBadActionIsLeftOutWithOneMessage) {
  struct Case {
    std::string section;  // starts on line 3, after a good action
    int line;
    std::string said;
  };
  const Case cases[] = {
      {"[action X]\nExec=ssh %x\n", 4,
       "code %x (known: %w %f %n %a %u and %% for a percent sign); the action \"X\" is left out"},
      {"[action X]\nExec=ping 50%\n", 4, "unknown field code %"},
      {"[action X]\nCaption=x\nExec=\n", 5, "Exec is empty"},
      {"[action X]\nCaption=x\n", 3, "no Exec key"},
      {"[action rc]\nExec=vncviewer %a\n", 3, "clashes with the catalogue's action code RC"},
      {"[action A]\nExec=p\n", 3, "defined on line 1 already"},
      {"[action X]\nExec=ssh host | tee\n", 4, "Exec cannot be read: \"|\" must be inside"},
      {"[action X]\nExec=%w-tool\n", 4, "program's name in Exec may not hold a field code"},
      {"[action X]\nExec=A=1 p\n", 4, "may not hold \"=\""},
      {"[action X]\nExce=p\nExec=p\n", 4, "unknown key \"Exce\""},
      {"[action X]\nExec=p\nExec=q\n", 5, "Exec is given twice"},
      {"[action X]\njust words\nExec=p\n", 4, "is not a KEY=VALUE line"},
      {"[action X]\nExec=p \x01\n", 4, "control character"},
      {"[action ]\nExec=p\n", 3, "has no name"},
      {"[Desktop Entry]\nExec=p\n", 3, "the section [Desktop Entry] is ignored"},
  };
  for (const auto& c : cases) {
    const OwnActionsFile file =
        ParseOwnActions("[action A]\nExec=a\n" + c.section + "[action Z]\nExec=z\n", kFile);
    EXPECT_EQ(Names(file), (std::vector<std::string>{"A", "Z"})) << c.section;
    ASSERT_EQ(file.problems.size(), 1u) << c.section;
    const std::string& message = file.problems[0];
    EXPECT_EQ(message.rfind(kFile + ":" + std::to_string(c.line) + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(c.said), std::string::npos) << message;
  }
  EXPECT_EQ(
      ParseOwnActions("Exec=stray\n[action A]\nExec=a\n", kFile).problems,
      std::vector<std::string>{kFile + ":1: a line outside any [action NAME] section is ignored"});
}

// A missing file is no actions and no problem; one that cannot be read is one problem.
TEST(ReadOwnActions, OnlyAFileThatCannotBeReadIsAProblem) {
  test::TempFolder folder;
  EXPECT_TRUE(ReadOwnActions(folder / "absent.ini").problems.empty());
  EXPECT_TRUE(ReadOwnActions("").problems.empty());
  const std::string path = folder.Write("actions.ini", "[action A]\nExec=a\n");
  EXPECT_EQ(Names(ReadOwnActions(path)), std::vector<std::string>{"A"});

  std::filesystem::create_directory(folder / "dir.ini");
  EXPECT_EQ(ReadOwnActions(folder / "dir.ini").problems,
            std::vector<std::string>{folder / "dir.ini" + ": cannot be read: not a regular file"});
}

}  // namespace
}  // namespace cvx
