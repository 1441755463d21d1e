#include "core/WindowsCommandLine.h"

namespace cvx {

namespace {

bool IsSeparator(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> args;
  if (line.find_first_not_of(" \t") == std::string_view::npos) return args;

  std::size_t i = 0;
  std::string program;
  if (line[0] == '"') {
    const auto close = line.find('"', 1);
    program = line.substr(1, close == std::string_view::npos ? close : close - 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && !IsSeparator(line[i])) program += line[i++];
  }
  args.push_back(std::move(program));

  while (true) {
    while (i < line.size() && IsSeparator(line[i])) ++i;
    if (i >= line.size()) break;

    std::string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsSeparator(line[i]))) {
      if (line[i] == '\\') {
        std::size_t run = 0;
        while (i < line.size() && line[i] == '\\') ++run, ++i;
        if (i < line.size() && line[i] == '"') {
          arg.append(run / 2, '\\');
          if (run % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(run, '\\');
        }
      } else if (line[i] == '"') {
        ++i;
        if (quoted && i < line.size() && line[i] == '"') {
          arg += '"';
          ++i;
          quoted = false;
        } else {
          quoted = !quoted;
        }
      } else {
        arg += line[i++];
      }
    }
    args.push_back(std::move(arg));
  }
  return args;
}

}  // namespace cvx
