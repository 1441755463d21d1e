#include "shell/EarlyExit.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>

#include "core/CommandLine.h"
#include "core/Environment.h"
#include "shell/UsageText.h"

namespace cvx {

namespace {

bool Has(const std::vector<std::string>& arguments, const std::string& wanted) {
  return std::find(arguments.begin(), arguments.end(), wanted) != arguments.end();
}

bool ShowsNoWindow(const CommandLineOptions& o) {
  return !o.target.empty() || (!o.dbBuildContext.empty() && o.autoClose);
}

}  // namespace

DisplayEnvironment DisplayEnvironment::FromProcess() {
  return {IsEnvironmentSet("DISPLAY"), IsEnvironmentSet("WAYLAND_DISPLAY"),
          IsEnvironmentSet("QT_QPA_PLATFORM")};
}

std::optional<int> EarlyExit(const std::vector<std::string>& arguments,
                             const DisplayEnvironment& display, std::ostream& out,
                             std::ostream& err) {
  if (Has(arguments, "--version")) {
    out << VersionLine() << '\n'
        << "License GPL-3.0-or-later: GNU GPL version 3 or later "
           "<https://gnu.org/licenses/gpl.html>.\n"
        << std::flush;
    return out ? 0 : 1;
  }
  const CommandLineOptions options = ParseProgramArguments(arguments);
  const bool hasDisplay = display.display || display.waylandDisplay || display.qpaPlatform;
  // "/?" where nobody could close a help window (no display, a run that closes by itself or
  // shows no window): the same text as --help.
  const bool noHelpWindow = !hasDisplay || options.autoClose || ShowsNoWindow(options);
  if (Has(arguments, "--help") || (options.showHelp && noHelpWindow)) {
    out << UsageText() << std::flush;
    return out ? 0 : 1;
  }
  if (!options.problem.empty()) {
    err << "cvx: " << options.problem << '\n';
    return 1;
  }
  if (hasDisplay || ShowsNoWindow(options)) return std::nullopt;
  err << "cvx: no display for the window (DISPLAY and WAYLAND_DISPLAY are unset); --target=NAME "
         "and the unattended build (/dbbuild=CONTEXT /autoclose) need none, and "
         "'xvfb-run -a cvx' opens the window on a virtual one\n";
  return 1;
}

}  // namespace cvx
