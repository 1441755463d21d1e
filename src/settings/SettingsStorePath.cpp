#include "settings/SettingsStorePath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace cvx {

namespace {
bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}
}  // namespace

std::string SettingsStorePath(const char* xdgConfigHome, const char* home) {
  std::filesystem::path base;
  if (IsAbsolute(xdgConfigHome)) {
    base = xdgConfigHome;
  } else if (IsAbsolute(home)) {
    base = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return (base / "corvexa" / "settings.sqlite3").string();
}

std::string DefaultSettingsStorePath() {
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) {
    const passwd* account = getpwuid(getuid());
    home = account != nullptr ? account->pw_dir : nullptr;
  }
  return SettingsStorePath(std::getenv("XDG_CONFIG_HOME"), home);
}

std::string OwnActionsPathBeside(const std::string& storePath) {
  if (storePath.empty()) return {};
  return std::filesystem::path(storePath).replace_filename("actions.ini").string();
}

}  // namespace cvx
