// A stand-in for the remote-management programs: it accepts exactly the command lines the tool
// forms, records them in $CVX_DEMO_LOG and shows which action it would run.

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/standin/DemoLog.h"
#include "tools/standin/StandinRequest.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool DisplayAvailable() {
  if (Environment("QT_QPA_PLATFORM") == "offscreen") return false;
  return !Environment("DISPLAY").empty() || !Environment("WAYLAND_DISPLAY").empty();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 0 ? argv[0] : "";
  const std::string programFile = path.substr(path.find_last_of('/') + 1);
  const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);

  const auto request = cvx::ParseStandinArguments(programFile, args);
  if (!request) {
    std::fputs(cvx::StandinUsage(programFile).c_str(), stderr);
    return 2;
  }

  if (const std::string log = Environment("CVX_DEMO_LOG"); !log.empty()) {
    std::vector<std::string> logged{programFile};
    logged.insert(logged.end(), args.begin(), args.end());
    if (const std::string error = cvx::AppendLocked(log, cvx::JsonArrayLine(logged));
        !error.empty()) {
      std::fprintf(stderr, "%s: cannot write the demo log: %s\n", programFile.c_str(),
                   error.c_str());
      return 1;
    }
  }

  const std::string description = cvx::DescribeRequest(*request);
  std::printf("%s: %s\n", programFile.c_str(), description.c_str());
  std::fflush(stdout);
  if (request->noWindow || !DisplayAvailable()) return 0;

  QApplication app(argc, argv);
  QMessageBox box(QMessageBox::Information, QString::fromStdString(programFile),
                  QString::fromStdString(description), QMessageBox::Close);
  box.setInformativeText(QStringLiteral("Stand-in for the remote management program."));
  box.show();
  box.raise();
  box.activateWindow();
  box.exec();
  return 0;
}
