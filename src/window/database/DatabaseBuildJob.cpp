#include "window/database/DatabaseBuildJob.h"

#include "window/frmMain.h"

namespace cvx {

DatabaseBuildJob::DatabaseBuildJob(QObject* parent) : QObject(parent) {}

DatabaseBuildJob::~DatabaseBuildJob() = default;

void DatabaseBuildJob::Begin(std::unique_ptr<DatabaseBuilder> builder) {
  builder_ = std::move(builder);
  state_ = State::kRunning;
}

void DatabaseBuildJob::Refuse() {
  state_ = State::kRefused;
  emit Ended(false);
}

void DatabaseBuildJob::End(bool built) {
  state_ = built ? State::kBuilt : State::kFailed;
  // End runs inside the builder's own signal.
  if (builder_) builder_.release()->deleteLater();
  emit Ended(built);
}

DatabaseBuildJob& DatabaseBuildOf(frmMain& w) {
  static const QString kName = QStringLiteral("DatabaseBuildJob");
  if (auto* job = w.findChild<DatabaseBuildJob*>(kName, Qt::FindDirectChildrenOnly)) return *job;
  auto* job = new DatabaseBuildJob(&w);
  job->setObjectName(kName);
  return *job;
}

}  // namespace cvx
