#include <QApplication>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"
#include "window/Prompter.h"
#include "window/frmMain.h"

// Builds the ports and the main window; everything else happens in the window's handlers.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Corvexa"));

  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
  const std::vector<std::string> arguments(argv + 1, argv + argc);

  cvx::QtPrompter boxes;
  cvx::StderrPrompter stderrMessages;
  const bool scripted = qgetenv("CVX_MESSAGES") == "stderr";
  cvx::Prompter& prompter = scripted ? static_cast<cvx::Prompter&>(stderrMessages) : boxes;
  cvx::frmMain::Ports ports;
  ports.directory = cvx::OpenDirectoryClientFromEnvironment(programDir + "/data/demo");
  ports.prompter = &prompter;
  ports.programDir = programDir;
  ports.arguments = arguments;
  cvx::frmMain window(std::move(ports));
  boxes.SetParent(&window);

  switch (window.Load()) {
    case cvx::frmMain::LoadOutcome::kClientMissing:
      return 1;
    case cvx::frmMain::LoadOutcome::kUnloaded:
      return 0;
    case cvx::frmMain::LoadOutcome::kHelpRun:
      QObject::connect(&window, &cvx::frmMain::HelpRunEnded, &app, &QCoreApplication::quit,
                       Qt::QueuedConnection);
      return QApplication::exec();
    case cvx::frmMain::LoadOutcome::kReady:
      window.show();
      return QApplication::exec();
  }
  return 0;
}
