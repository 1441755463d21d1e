#include "shell/UnattendedBuild.h"

#include <unistd.h>

#include <QEventLoop>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "core/CommandLine.h"
#include "core/Environment.h"
#include "window/database/DatabaseBuildJob.h"
#include "wsdb/DatabaseBuildTexts.h"

namespace cvx {

bool IsUnattendedBuild(const std::vector<std::string>& arguments) {
  const CommandLineOptions o = ParseProgramArguments(arguments);
  return !o.dbBuildContext.empty() && o.autoClose;
}

void UseOffscreenPlatform() {
  if (IsEnvironmentSet("QT_QPA_PLATFORM")) return;
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

UnattendedReport::UnattendedReport(bool terminal) : terminal_(terminal) {}

void UnattendedReport::Follow(DatabaseBuildJob& job) {
  connect(&job, &DatabaseBuildJob::Progress, this,
          [this](std::size_t handled, std::size_t found) { Progress(handled, found); });
  connect(&job, &DatabaseBuildJob::Finished, this, [this, &job](const DatabaseBuildResult& r) {
    Finished(r);
    // Only the first build is reported here.
    disconnect(&job, nullptr, this, nullptr);
  });
}

void UnattendedReport::EndProgressLine() {
  if (!progressShown_) return;
  std::cerr << "\n";
  progressShown_ = false;
}

void UnattendedReport::Line(const std::string& text) {
  EndProgressLine();
  std::cerr << "cvx: " << text << "\n";
}

void UnattendedReport::Progress(std::size_t handled, std::size_t found) {
  if (!terminal_) return;
  std::cerr << "\r" << BuildProgressText(handled, found) << std::flush;
  progressShown_ = true;
}

void UnattendedReport::Finished(const DatabaseBuildResult& result) {
  EndProgressLine();
  if (result.built()) std::cout << BuildSummaryLine(result) << std::endl;
}

int FinishUnattendedRun(DatabaseBuildJob& job, bool stopped) {
  if (job.running()) {
    QEventLoop loop;
    QObject::connect(&job, &DatabaseBuildJob::Ended, &loop, &QEventLoop::quit);
    loop.exec();
  }
  // A start-up that stopped is a failed run, whatever the build did.
  return job.state() == DatabaseBuildJob::State::kBuilt && !stopped ? 0 : 1;
}

void EndUnattendedRun(int status) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace cvx
