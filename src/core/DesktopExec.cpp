#include "core/DesktopExec.h"

namespace cvx {

namespace {

constexpr std::string_view kReservedOutsideQuotes = "\t\n'\\><~|&;$*?#()`";

// The escapes every string value of a desktop entry may hold. An unknown one stays as written,
// so the quoting rules see its backslash.
std::string UndoStringEscapes(std::string_view value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    switch (value[i + 1]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += value[i];
        continue;
    }
    ++i;
  }
  return out;
}

std::string Shown(char c) {
  switch (c) {
    case '\t':
      return "a tab";
    case '\n':
      return "a line break";
    default:
      return std::string("\"") + c + '"';
  }
}

ExecSplit Error(std::string text) {
  return {{}, std::move(text)};
}

}  // namespace

ExecSplit SplitDesktopExec(std::string_view value) {
  const std::string text = UndoStringEscapes(value);
  ExecSplit split;
  std::string arg;
  bool inArgument = false;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        quoted = false;
      } else if (c == '\\') {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next != '"' && next != '`' && next != '$' && next != '\\') {
          return Error("inside double quotes a backslash may only precede \", `, $ or \\");
        }
        arg += next;
        ++i;
      } else if (c == '`' || c == '$') {
        return Error(Shown(c) + " inside double quotes must be escaped with a backslash");
      } else {
        arg += c;
      }
    } else if (c == ' ') {
      if (inArgument) split.arguments.push_back(std::move(arg));
      arg.clear();
      inArgument = false;
    } else if (c == '"') {
      quoted = true;
      inArgument = true;
    } else if (kReservedOutsideQuotes.find(c) != std::string_view::npos) {
      return Error(Shown(c) + " must be inside double quotes");
    } else {
      arg += c;
      inArgument = true;
    }
  }
  if (quoted) return Error("a double quote is not closed");
  if (inArgument) split.arguments.push_back(std::move(arg));
  return split;
}

}  // namespace cvx
