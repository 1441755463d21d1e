// The administrator's actions file: the input is its text. Each action it gives is then formed
// for targets whose every name starts with "-", as a hostile directory could name them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/OwnActionCommand.h"
#include "core/OwnActionsFile.h"

namespace {

bool Dashed(const std::string& argument) {
  return argument.starts_with('-');
}

// The administrator's own text of an argument: without its field codes, %% a percent sign.
std::string OwnText(const std::string& argument) {
  std::string text;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] == '%' && i + 1 < argument.size()) {
      if (argument[++i] == '%') text += '%';
      continue;
    }
    text += argument[i];
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const cvx::OwnActionsFile file = cvx::ParseOwnActions(text, "actions.ini");

  // A byte-order mark in front changes nothing.
  if (!text.starts_with("\xEF\xBB\xBF")) {
    const cvx::OwnActionsFile marked = cvx::ParseOwnActions("\xEF\xBB\xBF" + text, "actions.ini");
    CVX_FUZZ_CHECK(marked.actions.size() == file.actions.size());
    CVX_FUZZ_CHECK(marked.problems == file.problems);
  }

  const cvx::OwnActionTarget targets[] = {
      {R"(NDS:\\CORP\-oProxyCommand=touch x)", "", std::nullopt},
      {R"(NDS:\\CORP\ACME\-w)", R"(NDS:\\CORP\-u)", "10.0.0.1"},
  };
  for (const cvx::OwnAction& action : file.actions) {
    CVX_FUZZ_CHECK(!action.arguments.empty() && !action.arguments.front().empty());
    CVX_FUZZ_CHECK(action.arguments.front().find_first_of("%=") == std::string::npos);
    for (const cvx::OwnActionTarget& target : targets) {
      const cvx::OwnActionCommand command = cvx::FormOwnActionCommand(action, target);
      if (command.statusText) {
        CVX_FUZZ_CHECK(command.arguments.empty());
        continue;
      }
      // Only the action's own text starts an argument with "-": no value put one in front.
      const auto dashed = std::count_if(command.arguments.begin(), command.arguments.end(), Dashed);
      const auto own = std::count_if(action.arguments.begin(), action.arguments.end(),
                                     [](const std::string& a) { return Dashed(OwnText(a)); });
      CVX_FUZZ_CHECK(dashed <= own);
    }
  }
  return 0;
}
