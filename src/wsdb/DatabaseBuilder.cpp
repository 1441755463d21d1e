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
  if (!file_) return;
  DatabaseBuildFile file = std::move(*file_);
  file_.reset();
  if (!outcome) {
    DatabaseBuildResult r;
    r.status = DatabaseBuildResult::Status::kSearchFailed;
    r.searchError = outcome.error();
    r.reason = outcome.message();
    r.file = file.path();
    file.Abandon();
    End(std::move(r));
    return;
  }
  run_.emplace(std::move(file), *outcome, lookups_.data());
  // The first batch runs on the next turn, so that the caller is done before records start.
  QTimer::singleShot(0, this, &DatabaseBuilder::RunBatch);
}

void DatabaseBuilder::RunBatch() {
  const bool more = run_->Step(kBatchTime);
  emit Progress(run_->tally().handled, run_->tally().found);
  if (more) {
    QTimer::singleShot(0, this, &DatabaseBuilder::RunBatch);
    return;
  }
  End(run_->Finish());
  run_.reset();
}

void DatabaseBuilder::End(DatabaseBuildResult result) {
  result.seconds = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
  result_ = std::move(result);
  emit Finished(*result_);
}

}  // namespace cvx
