#include "core/OwnAction.h"

#include "core/ActionCatalogue.h"

namespace cvx {

const OwnAction* FindOwnAction(const OwnActionList& actions, std::string_view name) {
  for (const auto& action : actions) {
    if (action.name == name) return &action;
  }
  return nullptr;
}

bool IsPerformableAction(std::string_view codeOrName, bool extendedActionsAvailable,
                         const OwnActionList& own) {
  if (codeOrName == "RC") return true;
  if (FindAction(codeOrName)) return extendedActionsAvailable;
  return FindOwnAction(own, codeOrName) != nullptr;
}

}  // namespace cvx
