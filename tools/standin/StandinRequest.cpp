#include "tools/standin/StandinRequest.h"

#include "core/TextUtil.h"

namespace cvx {

namespace {

bool TakeOption(const std::string& arg, std::string_view option, std::string* value) {
  if (!arg.starts_with(option)) return false;
  *value = arg.substr(option.size());
  return true;
}

}  // namespace

std::optional<StandinRequest> ParseStandinArguments(const std::string& programFile,
                                                    const std::vector<std::string>& args) {
  StandinRequest request;
  std::vector<std::string> options;
  for (const auto& arg : args) {
    if (arg == "--no-window") {
      request.noWindow = true;
    } else {
      options.push_back(arg);
    }
  }
  if (options.size() < 3) return std::nullopt;

  std::string caption;
  if (!TakeOption(options[0], "-w", &request.workstation) ||
      !TakeOption(options[1], "-n", &request.tree) || !TakeOption(options[2], "-c", &caption) ||
      request.workstation.empty() || request.tree.empty()) {
    return std::nullopt;
  }
  for (const auto& action : ActionCatalogue()) {
    if (action.commandCaption == caption && EqualsNoCase(ProgramFileName(action), programFile)) {
      request.action = &action;
    }
  }
  if (!request.action) return std::nullopt;

  const std::size_t expected = request.action->takesInventoryServer ? 4 : 3;
  if (options.size() != expected) return std::nullopt;
  if (expected == 4 && !TakeOption(options[3], "-d", &request.inventoryServer)) {
    return std::nullopt;
  }
  return request;
}

std::string DescribeRequest(const StandinRequest& request) {
  std::string text = std::string(request.action->commandCaption) + " on workstation " +
                     request.workstation + " of tree " + request.tree;
  if (request.action->takesInventoryServer) {
    text += " with inventory server \"" + request.inventoryServer + "\"";
  }
  return text;
}

std::string StandinUsage(const std::string& programFile) {
  std::string usage = "usage:\n";
  for (const auto& action : ActionCatalogue()) {
    if (!EqualsNoCase(ProgramFileName(action), programFile)) continue;
    usage += "  " + programFile + " -w<workstation> -n<tree> -c" +
             std::string(action.commandCaption) +
             (action.takesInventoryServer ? " -d<inventory server>" : "") + " [--no-window]\n";
  }
  if (usage == "usage:\n") usage += "  this program file stands for no remote action\n";
  return usage;
}

}  // namespace cvx
