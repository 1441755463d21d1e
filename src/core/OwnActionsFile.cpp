#include "core/OwnActionsFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include "core/ActionCatalogue.h"
#include "core/DesktopExec.h"
#include "core/ExecFieldCodes.h"
#include "core/TextUtil.h"

namespace cvx {

namespace {

constexpr std::string_view kSectionPrefix = "[action ";

std::string_view TrimSpace(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool HoldsControl(std::string_view s, bool tabAllowed) {
  return std::any_of(s.begin(), s.end(), [&](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && !(tabAllowed && c == '\t')) || u == 0x7f;
  });
}

// One section as it is read; its first fault decides the message.
struct Section {
  std::string name;
  int line = 0;
  std::optional<std::string> caption;
  std::optional<std::string> exec;
  int execLine = 0;
  int faultLine = 0;
  std::string fault;

  void Fault(int at, std::string text) {
    if (!fault.empty()) return;
    faultLine = at;
    fault = std::move(text);
  }
};

class Parser {
 public:
  explicit Parser(const std::string& fileName) : fileName_(fileName) {}

  OwnActionsFile Parse(std::string_view text) {
    int number = 0;
    while (!text.empty()) {
      const auto end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ReadLine(++number, line);
    }
    Finish();
    return std::move(file_);
  }

 private:
  void Problem(int line, const std::string& text) {
    file_.problems.push_back(fileName_ + ":" + std::to_string(line) + ": " + text);
  }

  void ReadLine(int number, std::string_view raw) {
    const std::string_view line = TrimSpace(raw);
    if (line.empty() || line.front() == '#') return;
    if (line.front() == '[') return ReadHeader(number, line);
    if (!section_) {
      // Keys of a section that is not an action's were reported with its header.
      if (!skipping_) Problem(number, "a line outside any [action NAME] section is ignored");
      skipping_ = true;
      return;
    }
    Section& s = *section_;
    if (HoldsControl(line, true)) return s.Fault(number, "the line holds a control character");
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
      return s.Fault(number, "\"" + std::string(line) + "\" is not a KEY=VALUE line");
    }
    const std::string_view key = TrimSpace(line.substr(0, equals));
    const std::string_view value = TrimSpace(line.substr(equals + 1));
    if (key.starts_with("X-") || key.find('[') != std::string_view::npos) return;
    std::optional<std::string>* slot = key == "Exec"      ? &s.exec
                                       : key == "Caption" ? &s.caption
                                                          : nullptr;
    if (!slot) return s.Fault(number, "unknown key \"" + std::string(key) + "\"");
    if (*slot) return s.Fault(number, std::string(key) + " is given twice");
    *slot = std::string(value);
    if (slot == &s.exec) s.execLine = number;
  }

  void ReadHeader(int number, std::string_view line) {
    Finish();
    skipping_ = false;
    if (line.back() != ']' || !line.starts_with(kSectionPrefix)) {
      Problem(number, "the section " + std::string(line) +
                          " is ignored: only [action NAME] sections are read");
      skipping_ = true;
      return;
    }
    section_.emplace();
    Section& s = *section_;
    s.line = number;
    s.name = std::string(
        TrimSpace(line.substr(kSectionPrefix.size(), line.size() - kSectionPrefix.size() - 1)));
    if (s.name.empty()) return s.Fault(number, "the action has no name");
    if (HoldsControl(s.name, false) || s.name.find_first_of("[]") != std::string::npos) {
      return s.Fault(number, "the name holds a bracket or a control character");
    }
    for (const RemoteAction& action : ActionCatalogue()) {
      if (EqualsNoCase(action.code, s.name)) {
        return s.Fault(number, "the name clashes with the catalogue's action code " +
                                   std::string(action.code));
      }
    }
    for (const OwnAction& earlier : names_) {
      if (EqualsNoCase(earlier.name, s.name)) {
        return s.Fault(number, "an action of this name is defined on line " +
                                   std::to_string(earlier.line) + " already");
      }
    }
  }

  // Checks Exec once the whole section has been read.
  void CheckExec(Section& s, OwnAction& action) {
    if (!s.exec) return s.Fault(s.line, "the action has no Exec key");
    const int at = s.execLine;
    const ExecSplit split = SplitDesktopExec(*s.exec);
    if (!split.error.empty()) return s.Fault(at, "Exec cannot be read: " + split.error);
    if (split.arguments.empty() || split.arguments.front().empty()) {
      return s.Fault(at, "Exec is empty");
    }
    const std::string& program = split.arguments.front();
    if (program.find('=') != std::string::npos) {
      return s.Fault(at, "the program's name in Exec may not hold \"=\"");
    }
    // Names from the directory may fill in arguments, never choose the program.
    if (program.find('%') != std::string::npos) {
      return s.Fault(at, "the program's name in Exec may not hold a field code or \"%\"");
    }
    for (const auto& arg : split.arguments) {
      if (const std::string code = UnknownFieldCode(arg); !code.empty()) {
        return s.Fault(at, "Exec holds the unknown field code " + code +
                               " (known: %w %f %n %a %u and %% for a percent sign)");
      }
      if (HoldsFieldCode(arg, 'a')) action.usesAddress = true;
    }
    action.arguments = split.arguments;
  }

  void Finish() {
    if (!section_) return;
    Section& s = *section_;
    OwnAction action;
    action.name = s.name;
    action.line = s.line;
    action.caption = s.caption && !s.caption->empty() ? *s.caption : s.name;
    if (s.fault.empty()) CheckExec(s, action);
    // A name is taken even by a faulty section, so that a second one does not stand in for it.
    if (!s.name.empty()) names_.push_back(action);
    if (s.fault.empty()) {
      file_.actions.push_back(std::move(action));
    } else {
      const std::string who = s.name.empty() ? "the action" : "the action \"" + s.name + "\"";
      Problem(s.faultLine, s.fault + "; " + who + " is left out");
    }
    section_.reset();
  }

  const std::string& fileName_;
  OwnActionsFile file_;
  std::optional<Section> section_;
  std::vector<OwnAction> names_;
  bool skipping_ = false;
};

}  // namespace

OwnActionsFile ParseOwnActions(std::string_view text, const std::string& fileName) {
  // Editors on other systems save UTF-8 with a byte-order mark; it is no part of the first line.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return Parser(fileName).Parse(text);
}

OwnActionsFile ReadOwnActions(const std::string& path) {
  OwnActionsFile file;
  if (path.empty()) return file;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) {
      file.problems.push_back(path + ": cannot be read: " + std::strerror(errno));
    }
    return file;
  }
  if (!S_ISREG(st.st_mode)) {
    file.problems.push_back(path + ": cannot be read: not a regular file");
    return file;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    file.problems.push_back(path + ": cannot be read: " + std::strerror(errno));
    return file;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return ParseOwnActions(text.str(), path);
}

}  // namespace cvx
