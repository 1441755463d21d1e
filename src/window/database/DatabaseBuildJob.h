#pragma once

#include <QObject>
#include <memory>
#include <optional>

#include "window/controls/HourglassCursor.h"
#include "wsdb/DatabaseBuilder.h"

namespace cvx {

// The workstation database build of a window, one at a time: its builder and the hourglass
// while it runs, and how the last one ended. The shell listens to it to report an unattended
// build and to end that run.
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

  DatabaseBuildJob();
  ~DatabaseBuildJob() override;

  State state() const { return state_; }
  bool running() const { return state_ == State::kRunning; }
  DatabaseBuilder* builder() const { return builder_.get(); }

  // The builder's progress and result are handed on as the job's own signals.
  void Begin(std::unique_ptr<DatabaseBuilder> builder);
  void Refuse();

 signals:
  void Progress(std::size_t handled, std::size_t found);
  void Finished(const cvx::DatabaseBuildResult& result);
  void Ended(bool built);

 private:
  void End(const DatabaseBuildResult& result);

  State state_ = State::kIdle;
  std::unique_ptr<DatabaseBuilder> builder_;
  std::optional<HourglassCursor> hourglass_;
};

}  // namespace cvx
