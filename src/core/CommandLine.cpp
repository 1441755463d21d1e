#include "core/CommandLine.h"

#include <array>
#include <optional>
#include <string_view>

#include "core/TextUtil.h"

namespace cvx {

std::vector<std::string> SplitCommandLine(const std::string& line, int maxArgs) {
  if (maxArgs < 0) maxArgs = 0;
  std::vector<std::string> args(1);  // index 0 stays empty
  bool inArgument = false;
  for (char c : line) {
    if (c == '/') {
      inArgument = false;
      continue;
    }
    if (!inArgument) {
      if (static_cast<int>(args.size()) - 1 == maxArgs) break;
      args.emplace_back();
      inArgument = true;
    }
    args.back() += c;
  }
  return args;
}

namespace {

// The rest of an argument after its option text, when the argument starts with that text (after
// leading blanks, in any letter case). An option text later inside an argument is part of another
// option's value, never an option of its own.
std::optional<std::string_view> AfterOption(std::string_view argument, std::string_view option) {
  const auto start = argument.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  argument.remove_prefix(start);
  if (argument.size() < option.size() || !EqualsNoCase(argument.substr(0, option.size()), option))
    return std::nullopt;
  return argument.substr(option.size());
}

// A value as given: blanks trimmed, then one trailing backslash removed.
std::string OptionValue(std::string_view rest) {
  std::string value(TrimBlanks(rest));
  if (!value.empty() && value.back() == '\\') value.pop_back();
  return value;
}

// A whole argument of its own: "autoclose" or "?", blanks around it aside.
bool IsWholeOption(std::string_view argument, std::string_view option) {
  const auto rest = AfterOption(argument, option);
  return rest && TrimBlanks(*rest).empty();
}

constexpr std::string_view kNoDbPath =
    "the database folder option names no folder (a Unix path follows it whole: "
    "/dbpath=/var/lib/corvexa or --dbpath=/var/lib/corvexa)";
constexpr std::string_view kNoTarget = "--target= names no target";

void SetIfNotEmpty(std::string& target, std::string value) {
  // An empty value counts as an option not given: it leaves what is there.
  if (!value.empty()) target = std::move(value);
}

struct GnuOption {
  std::string_view prefix;
  bool takesValue;
};
constexpr std::array<GnuOption, 9> kGnuOptions = {{{"--tree=", true},
                                                   {"--dbpath=", true},
                                                   {"--dbbuild=", true},
                                                   {"--autoclose", false},
                                                   {"--help", false},
                                                   {"--target=", true},
                                                   {"--action=", true},
                                                   {"--server=", true},
                                                   {"--dry-run", false}}};

bool IsGnuOption(const std::string& arg) {
  for (const auto& o : kGnuOptions) {
    if (o.takesValue ? arg.rfind(o.prefix, 0) == 0 : arg == o.prefix) return true;
  }
  return false;
}

// "/dbpath=/abs/path" inside one program argument: the path (the rest of the argument), and the
// argument keeps only what came before that option. Nothing when the argument has no such option.
std::optional<std::string> TakeAbsoluteDbPath(std::string& argument) {
  for (auto at = argument.find('/'); at != std::string::npos; at = argument.find('/', at + 1)) {
    const auto value = AfterOption(std::string_view(argument).substr(at + 1), "dbpath=");
    if (!value || !TrimBlanks(*value).starts_with('/')) continue;
    std::string path = OptionValue(*value);
    argument.erase(at);
    return path;
  }
  return std::nullopt;
}

}  // namespace

CommandLineOptions ParseOptions(const std::vector<std::string>& args) {
  CommandLineOptions o;
  bool emptyDbPath = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (auto v = AfterOption(a, "tree=")) SetIfNotEmpty(o.cmdLineTree, OptionValue(*v));
    if (auto v = AfterOption(a, "dbpath=")) {
      std::string value = OptionValue(*v);
      emptyDbPath = emptyDbPath || value.empty();
      SetIfNotEmpty(o.dbPath, std::move(value));
    }
    if (auto v = AfterOption(a, "dbbuild=")) SetIfNotEmpty(o.dbBuildContext, OptionValue(*v));
    if (IsWholeOption(a, "autoclose")) o.autoClose = true;
    if (IsWholeOption(a, "?")) o.showHelp = true;
  }
  if (emptyDbPath && o.dbPath.empty()) o.problem = kNoDbPath;
  return o;
}

std::string JoinSlashArguments(const std::vector<std::string>& argv) {
  std::string line;
  bool first = true;
  for (const auto& a : argv) {
    if (IsGnuOption(a)) continue;
    if (!first) line += ' ';
    line += a;
    first = false;
  }
  return line;
}

CommandLineOptions ParseProgramArguments(const std::vector<std::string>& argv) {
  std::vector<std::string> slashArguments = argv;
  std::string absoluteDbPath;
  for (auto& a : slashArguments) {
    if (IsGnuOption(a)) continue;
    if (auto path = TakeAbsoluteDbPath(a)) absoluteDbPath = std::move(*path);
  }
  CommandLineOptions o = ParseOptions(SplitCommandLine(JoinSlashArguments(slashArguments)));
  if (!absoluteDbPath.empty()) o.dbPath = absoluteDbPath;
  bool emptyDbPath = false;
  bool emptyTarget = false;
  for (const auto& a : argv) {
    const std::string_view arg = a;
    if (arg.starts_with("--tree=")) SetIfNotEmpty(o.cmdLineTree, OptionValue(arg.substr(7)));
    if (arg.starts_with("--dbpath=")) {
      std::string value = OptionValue(arg.substr(9));
      emptyDbPath = emptyDbPath || value.empty();
      SetIfNotEmpty(o.dbPath, std::move(value));
    }
    if (arg.starts_with("--dbbuild=")) SetIfNotEmpty(o.dbBuildContext, OptionValue(arg.substr(10)));
    if (a == "--autoclose") o.autoClose = true;
    if (a == "--help") o.showHelp = true;
    if (arg.starts_with("--target=")) {
      std::string value = OptionValue(arg.substr(9));
      emptyTarget = emptyTarget || value.empty();
      SetIfNotEmpty(o.target, std::move(value));
    }
    if (arg.starts_with("--action=")) SetIfNotEmpty(o.action, OptionValue(arg.substr(9)));
    if (arg.starts_with("--server=")) SetIfNotEmpty(o.server, OptionValue(arg.substr(9)));
    if (a == "--dry-run") o.dryRun = true;
  }
  // Nothing would be acted on, or the database would quietly go to another folder.
  if (!o.dbPath.empty()) o.problem.clear();
  if (emptyDbPath && o.dbPath.empty()) o.problem = kNoDbPath;
  if (emptyTarget && o.target.empty()) o.problem = kNoTarget;
  return o;
}

}  // namespace cvx
