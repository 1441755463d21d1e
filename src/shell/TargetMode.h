#pragma once

#include <iosfwd>
#include <string>

#include "core/CommandLine.h"

namespace cvx {

class DirectoryClient;
class ProcessLauncher;
class SettingsStore;

// What a run on one target needs from outside.
struct TargetModePorts {
  DirectoryClient* directory = nullptr;
  SettingsStore* settings = nullptr;
  ProcessLauncher* launcher = nullptr;
  std::string programDir;  // the database's folder when --dbpath is not given
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
  std::string ownActionsFile{};  // the administrator's own actions; empty: none
};

// Exit statuses of a run on one target.
enum TargetModeStatus : int { kTargetStarted = 0, kTargetNotStarted = 1, kTargetChoose = 2 };

// Acts on one target without a window, as typing its name and pressing the action button would:
// the same search, then the default action (or --action) for the one workstation or the one
// login found. Several hits or logins are printed one per line (dotted name, tab, full name) for
// the caller to choose; every way the action does not start says why on the error stream.
// --dry-run prints the command line instead of starting it and changes nothing on disk. An own
// action (--action=NAME, or the stored default) is started as its arguments; a dry run prints
// them one a line. Problems of the actions file are said on the error stream. Names are printed
// escaped (control characters, invalid UTF-8); output that cannot be written fails the run (1).
// A settings store that is there but cannot be read fails the run rather than act on defaults;
// --action= is matched in any letter case.
int RunTargetMode(const CommandLineOptions& options, const TargetModePorts& ports);

}  // namespace cvx
