#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// What forming a command reads: the target and the window's state at the time of the request.
struct RCCommandRequest {
  std::string_view fullName;    // browser form, "NDS:\\CORP\ACME\SALES\WS01"
  std::string_view actionCode;  // DefaultAction
  bool extendedActionsAvailable = false;
  std::string_view serverName;       // cmbServerlist's text; empty: no server chosen
  std::string_view inventoryServer;  // txtInvServer's text, used as typed
};

// What the caller applies: start commandLine (nothing when empty), put statusText into status
// panel 2 unless it is absent, and record the request in the history when addHistory is set.
struct RCCommandOutcome {
  std::string commandLine;
  std::optional<std::string> statusText;
  bool addHistory = false;
};

// Forms the command line of a remote action, e.g.
//   \\FS1\sys\public\zenworks\wviewnt.exe -w"WS01.SALES.ACME" -n"CORP" -c"Remote Control"
// No server: empty, status and history left alone. An unknown code: empty, but the status is
// cleared and the history written. Values go between quotes unescaped, so a name that could break
// out of its quotes (a double quote or a control character), or a server name that is not a
// plain path component, is refused with a status text and leaves the history alone.
RCCommandOutcome BuildRCCommand(const RCCommandRequest& request);

// The status texts of refused requests.
inline constexpr std::string_view kRefusedWorkstation =
    "Not started: the workstation name holds a double quote or a control character!";
inline constexpr std::string_view kRefusedTree =
    "Not started: the tree name holds a double quote or a control character!";
inline constexpr std::string_view kRefusedServer =
    "Not started: the server name cannot be used as a network path!";
inline constexpr std::string_view kRefusedInventoryServer =
    "Not started: the inventory server holds a double quote or a control character!";
inline constexpr std::string_view kRefusedNoWorkstation =
    "Not started: the name holds no workstation below the tree!";

}  // namespace cvx
