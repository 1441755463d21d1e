#pragma once

#include <string>
#include <vector>

namespace cvx {

// The options the program takes; an empty text means "not given".
struct CommandLineOptions {
  std::string cmdLineTree;     // "/tree="  or --tree=
  std::string dbPath;          // "/dbpath=" or --dbpath=
  std::string dbBuildContext;  // "/dbbuild=" or --dbbuild=
  bool autoClose = false;      // "/autoclose" or --autoclose
  bool showHelp = false;       // "/?" or --help

  // Acting on one target without a window (GNU forms only).
  std::string target;   // --target=
  std::string action;   // --action=  (an action code or an own action's name)
  std::string server;   // --server=
  bool dryRun = false;  // --dry-run

  // Why the line cannot be acted on (a --target= or a folder option that names nothing); empty
  // when it can.
  std::string problem;
};

// Cuts a command line (the text after the program name) at every "/". Index 0 of the result is
// never filled; the arguments are at 1..n with n <= maxArgs, the rest of the line is ignored.
std::vector<std::string> SplitCommandLine(const std::string& line, int maxArgs = 10);

// Reads the five options from split arguments (index 0 ignored). A value option or "autoclose"
// matches when an argument starts with its text (after leading blanks, in any letter case), and
// its value is what follows that text; "autoclose" and "?" only as the whole argument (blanks
// around it aside), so a value holding them is still a value. A "dbpath=" that comes out empty
// is a problem: the database would silently go elsewhere.
CommandLineOptions ParseOptions(const std::vector<std::string>& args);

// The program's arguments (argv[1..]) as the program reads them: whole arguments of the forms
// --tree=, --dbpath=, --dbbuild=, --autoclose and --help are taken as they stand (Unix paths hold
// "/", which the slash syntax would cut apart); all other arguments are joined by single blanks
// and read with the slash syntax. A GNU form wins over a slash form of the same option. A slash
// "/dbpath=" whose value begins with "/" takes the rest of its argument as a Unix path.
CommandLineOptions ParseProgramArguments(const std::vector<std::string>& argv);

// The slash-syntax text of ParseProgramArguments: the non-GNU arguments joined by single blanks.
std::string JoinSlashArguments(const std::vector<std::string>& argv);

}  // namespace cvx
