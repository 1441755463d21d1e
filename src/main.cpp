#include <QApplication>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"
#include "settings/LazySettingsStore.h"
#include "settings/SettingsStorePath.h"
#include "shell/MainProgram.h"
#include "shell/UnattendedBuild.h"
#include "window/Prompter.h"

// Builds the ports and the main window; everything else happens in the window's handlers.
int main(int argc, char** argv) {
  // A build that closes by itself needs no window: it runs from cron, without a display.
  const bool unattended = cvx::IsUnattendedBuild(std::vector<std::string>(argv + 1, argv + argc));
  if (unattended) cvx::UseOffscreenPlatformWithoutDisplay();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Corvexa"));

  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  cvx::QtPrompter boxes;
  cvx::StderrPrompter stderrMessages;
  const bool scripted = unattended || qgetenv("CVX_MESSAGES") == "stderr";
  cvx::Prompter& prompter = scripted ? static_cast<cvx::Prompter&>(stderrMessages) : boxes;
  cvx::frmMain::Ports ports;
  ports.directory = cvx::OpenDirectoryClientFromEnvironment(programDir + "/data/demo");
  ports.prompter = &prompter;
  cvx::LazySettingsStore settings(cvx::DefaultSettingsStorePath());
  ports.settings = &settings;
  ports.programDir = programDir;
  ports.arguments = arguments;
  cvx::MainProgram program(std::move(ports));
  boxes.SetParent(&program.window());

  switch (program.Load()) {
    case cvx::StartUpOutcome::kClientMissing:
      return 1;
    case cvx::StartUpOutcome::kUnloaded:
      return cvx::FinishUnattendedRun(program.window());
    case cvx::StartUpOutcome::kHelpRun:
      QObject::connect(&program, &cvx::MainProgram::HelpRunEnded, &app, &QCoreApplication::quit,
                       Qt::QueuedConnection);
      return QApplication::exec();
    case cvx::StartUpOutcome::kReady:
      program.window().show();
      return QApplication::exec();
  }
  return 0;
}
