#include "wsdb/DatabaseBuilder.h"

#include <QTimer>

namespace cvx {

DatabaseBuilder::DatabaseBuilder(DatabaseBuildFile file, const DirectoryControl* lookups,
                                 QObject* parent)
    : QObject(parent), file_(std::move(file)), lookups_(lookups) {
  clock_.start();
}

DatabaseBuilder::~DatabaseBuilder() = default;

void DatabaseBuilder::Start(const SearchOutcome& outcome) {
  if (searched_ || result_) return;
  searched_ = true;
  if (!outcome) {
    DatabaseBuildResult r;
    r.status = DatabaseBuildResult::Status::kSearchFailed;
    r.searchError = outcome.error();
    r.reason = outcome.message();
    if (run_) {
      r.file = run_->Abandon();
      run_.reset();
    } else {
      r.file = file_->path();
      file_->Abandon();
      file_.reset();
    }
    End(std::move(r));
    return;
  }
  if (run_) {
    run_->Add(*outcome, run_->Received(), true);
  } else {
    run_.emplace(std::move(*file_), *outcome, lookups_.data());
    file_.reset();
  }
  Schedule();
}

void DatabaseBuilder::More(const SearchResults& names) {
  if (searched_ || result_) return;
  if (run_) {
    run_->Add(names, 0, false);
  } else {
    run_.emplace(std::move(*file_), names, lookups_.data(), false);
    file_.reset();
  }
  Schedule();
}

void DatabaseBuilder::Restart() {
  if (!run_ || result_) return;
  run_->Restart();
  Schedule();
}

void DatabaseBuilder::Schedule() {
  if (scheduled_) return;
  scheduled_ = true;
  // A batch runs on a turn of its own, so that the caller is done before records start.
  QTimer::singleShot(0, this, &DatabaseBuilder::RunBatch);
}

void DatabaseBuilder::RunBatch() {
  scheduled_ = false;
  if (!run_) return;
  const bool more = run_->Step(kBatchTime);
  emit Progress(run_->tally().handled, run_->tally().found);
  if (more) return Schedule();
  if (run_->Waiting()) return;  // until the search gives more
  End(run_->Finish());
  run_.reset();
}

void DatabaseBuilder::End(DatabaseBuildResult result) {
  result.seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
  result_ = std::move(result);
  emit Finished(*result_);
}

}  // namespace cvx
