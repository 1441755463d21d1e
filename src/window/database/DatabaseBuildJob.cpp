#include "window/database/DatabaseBuildJob.h"

namespace cvx {

DatabaseBuildJob::DatabaseBuildJob() = default;

DatabaseBuildJob::~DatabaseBuildJob() = default;

void DatabaseBuildJob::Begin(std::unique_ptr<DatabaseBuilder> builder) {
  builder_ = std::move(builder);
  state_ = State::kRunning;
  hourglass_.emplace();
  connect(builder_.get(), &DatabaseBuilder::Progress, this, &DatabaseBuildJob::Progress);
  connect(builder_.get(), &DatabaseBuilder::Finished, this,
          [this](const DatabaseBuildResult& r) { End(r); });
}

void DatabaseBuildJob::Refuse() {
  state_ = State::kRefused;
  emit Ended(false);
}

void DatabaseBuildJob::End(const DatabaseBuildResult& result) {
  state_ = result.built() ? State::kBuilt : State::kFailed;
  hourglass_.reset();
  // End runs inside the builder's own signal: the builder goes once the event loop has left it.
  if (builder_) builder_.release()->deleteLater();
  emit Finished(result);
  emit Ended(result.built());
}

}  // namespace cvx
