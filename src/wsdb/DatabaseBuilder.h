#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <optional>

#include "directory/DirectoryControl.h"
#include "wsdb/DatabaseBuildFile.h"
#include "wsdb/DatabaseBuildResult.h"
#include "wsdb/DatabaseBuildRun.h"

namespace cvx {

// Drives one database build on the event loop: it is made when the search starts, takes the
// search's outcome and writes the records in batches of about kBatchTime, one batch per turn of
// the event loop, so that the window answers while 100,000 workstations are written.
class DatabaseBuilder : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kBatchTime{20};

  // `file` is open (ok()); `lookups` reads the workstations found.
  DatabaseBuilder(DatabaseBuildFile file, const DirectoryControl* lookups,
                  QObject* parent = nullptr);
  ~DatabaseBuilder() override;

  // The search's outcome. Names start the records (or the rest of them); an error ends the
  // build at once with the previous file kept. Only the first call counts.
  void Start(const SearchOutcome& outcome);
  // Names the search found so far (DirectoryControl::SearchProgress): records start before it
  // is done, so that the directory's work and this overlap. Restart: those are void.
  void More(const SearchResults& names);
  void Restart();

  bool finished() const { return result_.has_value(); }
  // Valid once finished.
  const DatabaseBuildResult& result() const { return *result_; }

 signals:
  // After each batch: workstations handled so far, of how many found.
  void Progress(std::size_t handled, std::size_t found);
  void Finished(const cvx::DatabaseBuildResult& result);

 private:
  void RunBatch();
  void Schedule();
  void End(DatabaseBuildResult result);

  std::optional<DatabaseBuildFile> file_;  // until the search's outcome arrives
  QPointer<const DirectoryControl> lookups_;
  std::optional<DatabaseBuildRun> run_;
  std::optional<DatabaseBuildResult> result_;
  bool searched_ = false;   // the search's outcome came
  bool scheduled_ = false;  // a batch is due
  QElapsedTimer clock_;
};

}  // namespace cvx
