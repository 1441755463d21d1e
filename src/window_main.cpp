#include <unistd.h>

#include <QApplication>
#include <cstdlib>
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
#include "shell/MainProgram.h"
#include "shell/PasswordDialog.h"
#include "shell/UnattendedBuild.h"
#include "shell/WindowProgram.h"
#include "window/controls/Diagnostics.h"
#include "window/controls/Prompter.h"
#include "window/database/DatabaseBuildJob.h"

// The window program, started by cvx for every run with a window (cvx has ended --help,
// --version, a missing display and a run on one target already): builds the ports and the main
// window; everything else happens in the window's handlers.
int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const cvx::CommandLineOptions options = cvx::ParseProgramArguments(arguments);
  // A build that closes by itself shows no window: it runs from scripts and cron, without a
  // display.
  const bool unattended = cvx::IsUnattendedBuild(arguments);
  if (unattended) cvx::UseOffscreenPlatform();
  const std::unique_ptr<QApplication> application = cvx::OpenApplication(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Corvexa"));
  // Where cvx was started from; this program itself may live elsewhere.
  const char* startedFrom = std::getenv(cvx::kProgramDirVariable);
  const std::string programDir = startedFrom && *startedFrom
                                     ? std::string(startedFrom)
                                     : QCoreApplication::applicationDirPath().toStdString();
  ::unsetenv(cvx::kProgramDirVariable);

  cvx::QtPrompter boxes;
  cvx::StderrPrompter stderrMessages;
  const bool scripted = unattended || qgetenv("CVX_MESSAGES") == "stderr";
  cvx::Prompter& prompter = scripted ? static_cast<cvx::Prompter&>(stderrMessages) : boxes;
  cvx::frmMain::Ports ports;
  // Scripts never get asked for a password; they use CVX_LDAP_PASSWORD_FILE.
  const cvx::PasswordPrompt askPassword = scripted ? cvx::PasswordPrompt() : cvx::AskLdapPassword;
  ports.directory = cvx::OpenDirectoryClientFromEnvironment(
      cvx::FindDataLocations(programDir).demoDirectory, askPassword, options.cmdLineTree);
  ports.prompter = &prompter;
  const std::string storePath = cvx::DefaultSettingsStorePath();
  ports.ownActionsFile = cvx::OwnActionsPathBeside(storePath);
  cvx::LazySettingsStore settings(storePath);
  ports.settings = &settings;
  const cvx::LauncherSettings launch = cvx::LauncherSettingsFromEnvironment(programDir);
  cvx::SpawnLauncher launcher(launch.uncRoot, launch.exeRunner);
  ports.launcher = &launcher;

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
      cvx::EndUnattendedRun(cvx::FinishUnattendedRun(program.window().buildJob(), false));
    case cvx::StartUpOutcome::kStoppedClosed:
      cvx::EndUnattendedRun(cvx::FinishUnattendedRun(program.window().buildJob(), true));
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
