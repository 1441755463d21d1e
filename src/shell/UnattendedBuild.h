#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "window/controls/Diagnostics.h"

namespace cvx {

class DatabaseBuildJob;
struct DatabaseBuildResult;

// The arguments ask for a database build that closes the program by itself ("/dbbuild=" with
// "/autoclose"): a run that never shows a window and must not wait for a person.
bool IsUnattendedBuild(const std::vector<std::string>& arguments);

// For such a run, and a run on one target: Qt's offscreen platform, unless the caller named a
// platform, so that neither a missing display (cron) nor one that cannot be reached matters.
// Before the application object is made.
void UseOffscreenPlatform();

// What the start-up build of "/dbbuild=" tells whoever started the program: progress on a
// terminal, the window's "cvx: ..." lines each on a line of their own, and a summary line on
// standard output when it is built.
class UnattendedReport : public QObject, public Diagnostics {
 public:
  // terminal: standard error is a terminal, so progress is shown there.
  explicit UnattendedReport(bool terminal);
  // Reports the job's next build.
  void Follow(DatabaseBuildJob& job);
  void Line(const std::string& text) override;

 private:
  void Progress(std::size_t handled, std::size_t found);
  void Finished(const DatabaseBuildResult& result);
  void EndProgressLine();

  bool terminal_;
  bool progressShown_ = false;
};

// After start-up unloaded the window: runs the event loop until the database build has ended.
// The exit status: 0 when the database was built, 1 when the build could not start or failed or
// start-up stopped at a step (stopped).
int FinishUnattendedRun(DatabaseBuildJob& job, bool stopped);

// Ends such a run with its status once everything it writes is written: the database is in place
// and no settings are kept, so the tree's entries are not freed one by one on the way out (on a
// tree of 100,000 workstations that takes a tenth of the run).
[[noreturn]] void EndUnattendedRun(int status);

}  // namespace cvx
