#pragma once

#include <QObject>
#include <memory>

#include "wsdb/DatabaseBuilder.h"

namespace cvx {

class frmMain;

// The workstation database build of a window, one at a time: its builder while it runs and how
// the last one ended. The shell waits on Ended to end an unattended run.
class DatabaseBuildJob : public QObject {
  Q_OBJECT

 public:
  enum class State {
    kIdle,     // no build yet
    kRunning,  // searching or writing
    kBuilt,
    kFailed,   // the search, the look-ups or the file failed; the previous file stands
    kRefused,  // could not start: no directory, no rights
  };

  explicit DatabaseBuildJob(QObject* parent = nullptr);
  ~DatabaseBuildJob() override;

  State state() const { return state_; }
  bool running() const { return state_ == State::kRunning; }
  DatabaseBuilder* builder() const { return builder_.get(); }

  // Whether the build being started (or the last one) is the start-up build of "/dbbuild=".
  void SetFromCommandLine(bool yes) { fromCommandLine_ = yes; }
  bool fromCommandLine() const { return fromCommandLine_; }

  void Begin(std::unique_ptr<DatabaseBuilder> builder);
  void Refuse();
  // The build ended; its builder goes once the event loop has left it.
  void End(bool built);

 signals:
  void Ended(bool built);

 private:
  State state_ = State::kIdle;
  bool fromCommandLine_ = false;
  std::unique_ptr<DatabaseBuilder> builder_;
};

// The window's build job, made on first use.
DatabaseBuildJob& DatabaseBuildOf(frmMain& w);

}  // namespace cvx
