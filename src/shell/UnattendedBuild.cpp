#include "shell/UnattendedBuild.h"

#include <QEventLoop>
#include <cstdlib>

#include "core/CommandLine.h"
#include "window/database/DatabaseBuildJob.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

bool IsUnattendedBuild(const std::vector<std::string>& arguments) {
  const CommandLineOptions o = ParseProgramArguments(arguments);
  return !o.dbBuildContext.empty() && o.autoClose;
}

void UseOffscreenPlatform() {
  if (IsSet("QT_QPA_PLATFORM")) return;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int FinishUnattendedRun(frmMain& w) {
  DatabaseBuildJob& job = DatabaseBuildOf(w);
  if (job.running()) {
    QEventLoop loop;
    QObject::connect(&job, &DatabaseBuildJob::Ended, &loop, &QEventLoop::quit);
    loop.exec();
  }
  // A start-up that stopped is a failed run, whatever the build did.
  return job.state() == DatabaseBuildJob::State::kBuilt && w.StartupStoppedAt().empty() ? 0 : 1;
}

}  // namespace cvx
