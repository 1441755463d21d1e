#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "actions/DataLocations.h"
#include "actions/LauncherEnvironment.h"
#include "actions/SpawnLauncher.h"
#include "core/CommandLine.h"
#include "directory/DirectoryClient.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsStorePath.h"
#include "shell/EarlyExit.h"
#include "shell/TargetMode.h"
#include "shell/WindowProgram.h"

namespace {

// The folder this program was started from: its data and the window program are found from there.
std::string ProgramFolder(const char* argv0) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::absolute(argv0) : self).parent_path().string();
}

// A run with a window is the window program's: this program holds no widgets, so that a run on one
// target starts as fast as a QtCore program. The window program takes this process over with the
// same arguments.
int RunWindowProgram(const std::string& programDir, char** argv) {
  const std::string window = cvx::WindowProgramPath(programDir);
  ::setenv(cvx::kProgramDirVariable, programDir.c_str(), 1);
  argv[0] = const_cast<char*>(window.c_str());
  ::execv(window.c_str(), argv);
  std::cerr << "cvx: the window program " << window
            << " cannot be started: " << std::strerror(errno) << "\n";
  return 1;
}

}  // namespace

// --help, --version and a run on one target end here; a run with a window goes on in the window
// program.
int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  // --version, --help and a window start without a display end here, before Qt needs a display.
  const auto early =
      cvx::EarlyExit(arguments, cvx::DisplayEnvironment::FromProcess(), std::cout, std::cerr);
  if (early) return *early;
  const cvx::CommandLineOptions options = cvx::ParseProgramArguments(arguments);
  const std::string programDir = ProgramFolder(argv[0]);
  if (options.target.empty()) return RunWindowProgram(programDir, argv);

  // A run on one target shows nothing at all: no platform plugin, fonts or widgets.
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvexa"));
  // Scripts never get asked for a password; they use CVX_LDAP_PASSWORD_FILE.
  auto directory = cvx::OpenDirectoryClientFromEnvironment(
      cvx::FindDataLocations(programDir).demoDirectory, cvx::PasswordPrompt(), options.cmdLineTree);
  if (!directory) {
    std::cerr << "cvx: the directory cannot be opened: " << directory.message() << "\n";
    return cvx::kTargetNotStarted;
  }
  const std::string storePath = cvx::DefaultSettingsStorePath();
  const std::string ownActionsFile = cvx::OwnActionsPathBeside(storePath);
  cvx::LazySettingsStore settings(storePath);
  const cvx::LauncherSettings launch = cvx::LauncherSettingsFromEnvironment(programDir);
  cvx::SpawnLauncher launcher(launch.uncRoot, launch.exeRunner);
  return cvx::RunTargetMode(options, {directory->get(), &settings, &launcher, programDir,
                                      &std::cout, &std::cerr, ownActionsFile});
}
