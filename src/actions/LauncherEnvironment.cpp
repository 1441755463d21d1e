#include "actions/LauncherEnvironment.h"

#include <cstdlib>

#include "actions/DataLocations.h"
#include "core/Environment.h"

namespace cvx {

std::string DefaultStandinRoot(const std::string& programDir) {
  return FindDataLocations(programDir).standinRoot;
}

LauncherSettings LauncherSettingsFromEnvironment(const std::string& programDir) {
  LauncherSettings settings{EnvironmentValue("CVX_UNC_ROOT"), EnvironmentValue("CVX_EXE_RUNNER")};
  if (settings.uncRoot.empty()) settings.uncRoot = DefaultStandinRoot(programDir);
  return settings;
}

}  // namespace cvx
