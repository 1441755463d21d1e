#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/ActionCatalogue.h"

namespace cvx {

// One command line of the catalogue, as a stand-in program received it.
struct StandinRequest {
  const RemoteAction* action = nullptr;
  std::string workstation;      // -w
  std::string tree;             // -n
  std::string inventoryServer;  // -d, Inventory only
  bool noWindow = false;        // --no-window
};

// Reads the arguments after the program name. Only the catalogue's lines for this program file
// are accepted: -w<workstation> -n<tree> -c<caption> [-d<inventory server> for Inventory], in
// that order, plus --no-window anywhere. Anything else gives nothing.
std::optional<StandinRequest> ParseStandinArguments(const std::string& programFile,
                                                    const std::vector<std::string>& args);

// "Remote Control on workstation WS01.SALES.ACME of tree CORP".
std::string DescribeRequest(const StandinRequest& request);

// How this program file is called, one accepted line per action.
std::string StandinUsage(const std::string& programFile);

}  // namespace cvx
