#include "core/BuildRCCommand.h"

#include <algorithm>

#include "core/ActionCatalogue.h"
#include "core/TextUtil.h"
#include "core/UNCtoDOTConversion.h"

namespace cvx {

namespace {

// A quote would end the value early and a control character (a line end above all) would split
// the line; either lets typed text become options of its own.
bool BreaksOutOfQuotes(std::string_view value) {
  return std::any_of(value.begin(), value.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '"' || u < 0x20 || u == 0x7f;
  });
}

// The server name becomes one component of the program's path, unquoted.
bool UsableServerName(std::string_view server) {
  if (server == "." || server == "..") return false;
  return !BreaksOutOfQuotes(server) && server.find_first_of("/\\ ") == std::string_view::npos;
}

RCCommandOutcome Refused(std::string_view status) {
  return RCCommandOutcome{{}, std::string(status), false};
}

}  // namespace

RCCommandOutcome BuildRCCommand(const RCCommandRequest& request) {
  const FullNameParts parts = SplitFullName(request.fullName);
  if (request.serverName.empty()) return {};

  if (!UsableServerName(request.serverName)) return Refused(kRefusedServer);
  const std::string dotted{TrimBlanks(JoinDotted(parts.componentsBottomUp))};
  const std::string_view tree = TrimBlanks(parts.tree);
  if (parts.componentsBottomUp.empty()) return Refused(kRefusedNoWorkstation);
  if (BreaksOutOfQuotes(dotted)) return Refused(kRefusedWorkstation);
  if (BreaksOutOfQuotes(tree)) return Refused(kRefusedTree);

  const RemoteAction* action = FindAction(request.actionCode);
  if (action && action->takesInventoryServer && BreaksOutOfQuotes(request.inventoryServer)) {
    return Refused(kRefusedInventoryServer);
  }

  RCCommandOutcome outcome{{}, std::string(), true};
  if (!action) return outcome;

  std::string& line = outcome.commandLine;
  line = "\\\\";
  line += request.serverName;
  line += request.extendedActionsAvailable ? "\\sys\\public\\zenworks\\" : "\\sys\\public\\win32\\";
  line += action->programLiteral;
  line += '"' + dotted + '"';
  line += " -n\"" + std::string(tree) + '"';
  line += " -c\"" + std::string(action->commandCaption) + '"';
  if (action->takesInventoryServer) {
    line += " -d\"" + std::string(request.inventoryServer) + '"';
  }
  return outcome;
}

}  // namespace cvx
