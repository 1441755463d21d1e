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

}  // namespace

CommandLineOptions ParseOptions(const std::vector<std::string>& args) {
  CommandLineOptions o;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (auto v = AfterOption(a, "tree=")) SetIfNotEmpty(o.cmdLineTree, OptionValue(*v));
    if (auto v = AfterOption(a, "dbpath=")) SetIfNotEmpty(o.dbPath, OptionValue(*v));
    if (auto v = AfterOption(a, "dbbuild=")) SetIfNotEmpty(o.dbBuildContext, OptionValue(*v));
    if (AfterOption(a, "autoclose")) o.autoClose = true;
    if (a.find('?') != std::string::npos) o.showHelp = true;
  }
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
  CommandLineOptions o = ParseOptions(SplitCommandLine(JoinSlashArguments(argv)));
  for (const auto& a : argv) {
    const std::string_view arg = a;
    if (arg.starts_with("--tree=")) SetIfNotEmpty(o.cmdLineTree, OptionValue(arg.substr(7)));
    if (arg.starts_with("--dbpath=")) SetIfNotEmpty(o.dbPath, OptionValue(arg.substr(9)));
    if (arg.starts_with("--dbbuild=")) SetIfNotEmpty(o.dbBuildContext, OptionValue(arg.substr(10)));
    if (a == "--autoclose") o.autoClose = true;
    if (a == "--help") o.showHelp = true;
    if (arg.starts_with("--target=")) SetIfNotEmpty(o.target, OptionValue(arg.substr(9)));
    if (arg.starts_with("--action=")) SetIfNotEmpty(o.action, OptionValue(arg.substr(9)));
    if (arg.starts_with("--server=")) SetIfNotEmpty(o.server, OptionValue(arg.substr(9)));
    if (a == "--dry-run") o.dryRun = true;
  }
  return o;
}

}  // namespace cvx
