#include "core/CommandLine.h"

#include <array>

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

// The value of a value option: the argument without the option's length in leading characters,
// blanks trimmed, then one trailing backslash removed.
std::string OptionValue(const std::string& argument, std::size_t optionLength) {
  if (argument.size() <= optionLength) return {};
  std::string value(TrimBlanks(std::string_view(argument).substr(optionLength)));
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
constexpr std::array<GnuOption, 5> kGnuOptions = {{{"--tree=", true},
                                                   {"--dbpath=", true},
                                                   {"--dbbuild=", true},
                                                   {"--autoclose", false},
                                                   {"--help", false}}};

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
    if (ContainsNoCase(a, "tree=")) SetIfNotEmpty(o.cmdLineTree, OptionValue(a, 5));
    if (ContainsNoCase(a, "dbpath=")) SetIfNotEmpty(o.dbPath, OptionValue(a, 7));
    if (ContainsNoCase(a, "dbbuild=")) SetIfNotEmpty(o.dbBuildContext, OptionValue(a, 8));
    if (ContainsNoCase(a, "autoclose")) o.autoClose = true;
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
    if (a.rfind("--tree=", 0) == 0) SetIfNotEmpty(o.cmdLineTree, OptionValue(a, 7));
    if (a.rfind("--dbpath=", 0) == 0) SetIfNotEmpty(o.dbPath, OptionValue(a, 9));
    if (a.rfind("--dbbuild=", 0) == 0) SetIfNotEmpty(o.dbBuildContext, OptionValue(a, 10));
    if (a == "--autoclose") o.autoClose = true;
    if (a == "--help") o.showHelp = true;
  }
  return o;
}

}  // namespace cvx
