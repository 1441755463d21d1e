#include "actions/LauncherEnvironment.h"

#include <cstdlib>

#include "actions/DataLocations.h"

namespace cvx {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace

std::string DefaultStandinRoot(const std::string& programDir) {
  return FindDataLocations(programDir).standinRoot;
}

LauncherSettings LauncherSettingsFromEnvironment(const std::string& programDir) {
  LauncherSettings settings{Environment("CVX_UNC_ROOT"), Environment("CVX_EXE_RUNNER")};
  if (settings.uncRoot.empty()) settings.uncRoot = DefaultStandinRoot(programDir);
  return settings;
}

}  // namespace cvx
