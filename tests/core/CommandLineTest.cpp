#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace cvx {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, EveryRunBetweenSlashesIsOneArgument) {
  EXPECT_EQ(SplitCommandLine(R"(/tree=NDS:\\CORP /dbpath=c:\db)"),
            (Args{"", R"(tree=NDS:\\CORP )", R"(dbpath=c:\db)"}));
  EXPECT_EQ(SplitCommandLine("lead /x"), (Args{"", "lead ", "x"}));
  EXPECT_EQ(SplitCommandLine(""), (Args{""}));
  EXPECT_EQ(SplitCommandLine("///"), (Args{""}));
  EXPECT_EQ(SplitCommandLine("/a b/c", 1), (Args{"", "a b"}));
}

TEST(SplitCommandLine, TakesAtMostTenArguments) {
  const auto args = SplitCommandLine("/1/2/3/4/5/6/7/8/9/10/tree=X/12");
  ASSERT_EQ(args.size(), 11u);
  EXPECT_EQ(args[10], "10");
  EXPECT_TRUE(ParseOptions(args).cmdLineTree.empty());
}

TEST(ParseOptions, MatchesAtTheStartInAnyCase) {
  const auto o = ParseOptions(SplitCommandLine(R"(/TREE=NDS:\\CORP /DbPath=c:\cvx /AUTOCLOSE)"));
  EXPECT_EQ(o.cmdLineTree, R"(NDS:\\CORP)");
  EXPECT_EQ(o.dbPath, R"(c:\cvx)");
  EXPECT_TRUE(o.autoClose);
  EXPECT_FALSE(o.showHelp);
  EXPECT_TRUE(o.dbBuildContext.empty());
}

TEST(ParseOptions, ValuesLoseBlanksAndOneTrailingBackslash) {
  auto o = ParseOptions(SplitCommandLine(R"(/tree=NDS:\\CORP\ /dbpath=c:\db\\ /autoclose)"));
  EXPECT_EQ(o.cmdLineTree, R"(NDS:\\CORP)");
  EXPECT_EQ(o.dbPath, R"(c:\db\)");  // only one backslash goes
  EXPECT_TRUE(o.autoClose);

  o = ParseOptions(SplitCommandLine(R"(/dbbuild=  NDS:\\CORP\ACME\WS\  )"));
  EXPECT_EQ(o.dbBuildContext, R"(NDS:\\CORP\ACME\WS)");
}

// An option's text inside another option's value is part of that value, never an option.
TEST(ParseOptions, OptionTextsInsideValuesAreValues) {
  auto o = ParseOptions(SplitCommandLine(R"(/dbbuild=NDS:\\CORP\AutoClose-Lab)"));
  EXPECT_EQ(o.dbBuildContext, R"(NDS:\\CORP\AutoClose-Lab)");
  EXPECT_FALSE(o.autoClose);

  o = ParseOptions(SplitCommandLine(R"(/dbpath=c:\tree=x)"));
  EXPECT_EQ(o.dbPath, R"(c:\tree=x)");
  EXPECT_TRUE(o.cmdLineTree.empty());

  // Leading blanks before the option text are fine; the value follows the text.
  o = ParseOptions(SplitCommandLine("/  tree=CORP"));
  EXPECT_EQ(o.cmdLineTree, "CORP");
  EXPECT_FALSE(ParseOptions(SplitCommandLine("/noautoclose")).autoClose);
}

TEST(ParseOptions, ValueIsCutAtASlash) {
  const auto o = ParseOptions(SplitCommandLine("/dbpath=t:/cvx/db"));
  EXPECT_EQ(o.dbPath, "t:");
}

TEST(ParseOptions, HelpAndAutocloseOnlyAsArgumentsOfTheirOwn) {
  EXPECT_TRUE(ParseOptions(SplitCommandLine("/?")).showHelp);
  EXPECT_FALSE(ParseOptions(SplitCommandLine("/tree=what?")).showHelp);
  EXPECT_FALSE(ParseOptions(SplitCommandLine("/dbpath=x/autoclosed")).autoClose);
  const auto o = ParseOptions(SplitCommandLine(R"(/dbbuild=NDS:\\CORP\ACME /? /autoclose)"));
  EXPECT_TRUE(o.showHelp);
  EXPECT_EQ(o.dbBuildContext, R"(NDS:\\CORP\ACME)");
  EXPECT_TRUE(o.autoClose);
}

TEST(ParseOptions, EmptyValuesAndUnknownArgumentsChangeNothing) {
  auto o = ParseOptions(SplitCommandLine("/tree= /dbpath=   /nonsense /dbbuild=\\"));
  EXPECT_TRUE(o.cmdLineTree.empty());
  EXPECT_TRUE(o.dbPath.empty());
  EXPECT_TRUE(o.dbBuildContext.empty());
  o = ParseOptions(SplitCommandLine(R"(/tree=NDS:\\A /tree=)"));
  EXPECT_EQ(o.cmdLineTree, R"(NDS:\\A)");
}

TEST(ParseProgramArguments, GnuFormsKeepUnixPathsWhole) {
  const auto o =
      ParseProgramArguments({"--dbpath=/var/lib/cvx/", R"(/tree=NDS:\\CORP)", "--autoclose",
                             "--dbbuild=NDS:\\\\CORP\\ACME", "--target=PC 12", "--action=ch",
                             "--server=FS1", "--dry-run"});
  EXPECT_EQ(o.dbPath, "/var/lib/cvx/");
  EXPECT_EQ(o.cmdLineTree, R"(NDS:\\CORP)");
  EXPECT_EQ(o.dbBuildContext, R"(NDS:\\CORP\ACME)");
  EXPECT_TRUE(o.autoClose);
  EXPECT_EQ(o.target, "PC 12");
  EXPECT_EQ(o.action, "ch");
  EXPECT_EQ(o.server, "FS1");
  EXPECT_TRUE(o.dryRun);
  EXPECT_TRUE(ParseProgramArguments({"--help"}).showHelp);
  // A flag counts only as a whole argument: with a value or a suffix it is nothing.
  for (const char* flag : {"--autoclose=yes", "--autoclosed", "--dry-run=no", "--dry-runs"}) {
    const auto f = ParseProgramArguments({flag});
    EXPECT_FALSE(f.autoClose || f.dryRun || f.showHelp) << flag;
  }
  EXPECT_FALSE(ParseProgramArguments({}).autoClose);
  // A GNU form wins over the slash form of the same option.
  EXPECT_EQ(ParseProgramArguments({"/tree=NDS:\\\\A", "--tree=NDS:\\\\B"}).cmdLineTree,
            R"(NDS:\\B)");
}

TEST(ParseProgramArguments, AbsoluteSlashDbPathIsTakenWhole) {
  struct Case {
    std::vector<std::string> argv;
    std::string dbPath;
    bool problem;
  };
  for (const Case& c :
       std::vector<Case>{{{"/autoclose", "/dbpath=/var/lib/x"}, "/var/lib/x", false},
                         {{R"(/tree=NDS:\\A/DBPATH= /srv/db dir/)"}, "/srv/db dir/", false},
                         {{"/dbpath=", "/var/lib/x"}, "", true},
                         {{"--dbpath="}, "", true},
                         {{"/dbpath=", "--dbpath=/srv"}, "/srv", false}}) {
    const auto o = ParseProgramArguments(c.argv);
    EXPECT_EQ(o.dbPath, c.dbPath) << c.argv.front();
    EXPECT_EQ(!o.problem.empty(), c.problem) << c.argv.front();
  }
  const auto o = ParseProgramArguments({R"(/tree=NDS:\\A/dbpath=/x/autoclose)"});
  EXPECT_EQ(o.cmdLineTree, R"(NDS:\\A)");
  EXPECT_FALSE(o.autoClose);
  for (const char* empty : {"--target=", "--target=  ", "--target=\\"}) {
    EXPECT_EQ(ParseProgramArguments({empty}).problem, "--target= names no target") << empty;
  }
}

TEST(ParseProgramArguments, SlashArgumentsAreJoinedBySingleBlanks) {
  EXPECT_EQ(JoinSlashArguments({"/tree=X", "--autoclose", "/dbpath=c:\\db"}),
            "/tree=X /dbpath=c:\\db");
  // The blank that joins two arguments ends the first value and is trimmed away.
  EXPECT_EQ(ParseProgramArguments({"/dbpath=c:\\db\\", "/autoclose"}).dbPath, "c:\\db");
}

}  // namespace
}  // namespace cvx
