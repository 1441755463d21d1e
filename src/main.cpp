#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "actions/DataLocations.h"
#include "actions/LauncherEnvironment.h"
#include "actions/SpawnLauncher.h"
#include "core/CommandLine.h"
#include "directory/DirectoryClient.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsStorePath.h"
#include "shell/ApplicationStart.h"
#include "shell/EarlyExit.h"
#include "shell/MainProgram.h"
#include "shell/PasswordDialog.h"
#include "shell/TargetMode.h"
#include "shell/UnattendedBuild.h"
#include "window/controls/Diagnostics.h"
#include "window/controls/Prompter.h"
#include "window/database/DatabaseBuildJob.h"

// Builds the ports and the main window; everything else happens in the window's handlers.
int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  // --version, --help and a window start without a display end here, before Qt needs a display.
  const auto early =
      cvx::EarlyExit(arguments, cvx::DisplayEnvironment::FromProcess(), std::cout, std::cerr);
  if (early) return *early;
  const cvx::CommandLineOptions options = cvx::ParseProgramArguments(arguments);
  // A build that closes by itself shows no window: it runs from scripts and cron, without a
  // display. A run on one target shows nothing at all, so it starts no platform plugin, fonts or
  // widgets either.
  const bool unattended = cvx::IsUnattendedBuild(arguments);
  if (unattended) cvx::UseOffscreenPlatform();
  const std::unique_ptr<QCoreApplication> application =
      options.target.empty() ? cvx::OpenApplication(argc, argv)
                             : std::make_unique<QCoreApplication>(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvexa"));

  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();

  cvx::QtPrompter boxes;
  cvx::StderrPrompter stderrMessages;
  const bool scripted = unattended || qgetenv("CVX_MESSAGES") == "stderr";
  cvx::Prompter& prompter = scripted ? static_cast<cvx::Prompter&>(stderrMessages) : boxes;
  cvx::frmMain::Ports ports;
  // Only a run with a window may ask for a password; scripts use CVX_LDAP_PASSWORD_FILE.
  const cvx::PasswordPrompt askPassword =
      scripted || !options.target.empty() ? cvx::PasswordPrompt() : cvx::AskLdapPassword;
  ports.directory = cvx::OpenDirectoryClientFromEnvironment(
      cvx::FindDataLocations(programDir).demoDirectory, askPassword, options.cmdLineTree);
  ports.prompter = &prompter;
  // The own actions live beside the settings store: $XDG_CONFIG_HOME/corvexa/actions.ini.
  const std::string storePath = cvx::DefaultSettingsStorePath();
  ports.ownActionsFile =
      storePath.empty() ? std::string()
                        : std::filesystem::path(storePath).replace_filename("actions.ini").string();
  cvx::LazySettingsStore settings(storePath);
  ports.settings = &settings;
  const cvx::LauncherSettings launch = cvx::LauncherSettingsFromEnvironment(programDir);
  cvx::SpawnLauncher launcher(launch.uncRoot, launch.exeRunner);
  ports.launcher = &launcher;

  if (!options.target.empty()) {
    if (!ports.directory) {
      std::cerr << "cvx: the directory cannot be opened: " << ports.directory.message() << "\n";
      return cvx::kTargetNotStarted;
    }
    return cvx::RunTargetMode(options, {ports.directory->get(), &settings, &launcher, programDir,
                                        &std::cout, &std::cerr, ports.ownActionsFile});
  }
  ports.programDir = programDir;
  ports.arguments = arguments;
  // The start-up build of "/dbbuild=" reports its progress and result to whoever started the
  // program; later builds of the run are the page's.
  const bool startupBuild = !options.dbBuildContext.empty();
  cvx::UnattendedReport report(::isatty(STDERR_FILENO) != 0);
  cvx::StderrDiagnostics diagnostics;
  ports.diagnostics = startupBuild ? static_cast<cvx::Diagnostics*>(&report) : &diagnostics;
  cvx::MainProgram program(std::move(ports));
  if (startupBuild) report.Follow(program.window().buildJob());
  boxes.SetParent(&program.window());

  switch (program.Load()) {
    case cvx::StartUpOutcome::kClientMissing:
      return 1;
    case cvx::StartUpOutcome::kUnloaded:
      return cvx::FinishUnattendedRun(program.window().buildJob(), false);
    case cvx::StartUpOutcome::kStoppedClosed:
      return cvx::FinishUnattendedRun(program.window().buildJob(), true);
    case cvx::StartUpOutcome::kHelpRun:
      QObject::connect(&program, &cvx::MainProgram::HelpRunEnded, application.get(),
                       &QCoreApplication::quit, Qt::QueuedConnection);
      return QCoreApplication::exec();
    case cvx::StartUpOutcome::kReady:
    case cvx::StartUpOutcome::kStopped:
      program.window().show();
      return QCoreApplication::exec();
  }
  return 0;
}
