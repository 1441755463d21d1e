#pragma once

#include <string>

namespace cvx {

// Where the stand-in remote-management programs are, found from the program's folder (see
// FindDataLocations): a folder holding FS1/SYS/PUBLIC/ZENWORKS/wviewnt.exe and so on.
std::string DefaultStandinRoot(const std::string& programDir);

// What SpawnLauncher is built from: the folder that stands for the network ($CVX_UNC_ROOT, else
// the stand-ins next to the program) and the runner for ".exe" programs ($CVX_EXE_RUNNER).
struct LauncherSettings {
  std::string uncRoot;
  std::string exeRunner;
};
LauncherSettings LauncherSettingsFromEnvironment(const std::string& programDir);

}  // namespace cvx
