#include "window/database/DatabaseBuildPage.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "core/PrintableText.h"
#include "window/MainState.h"
#include "window/controls/Diagnostics.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/Prompter.h"
#include "window/controls/QtText.h"
#include "window/controls/TreeNodes.h"
#include "wsdb/BuildContextCheck.h"
#include "wsdb/DatabaseBuildRun.h"
#include "wsdb/DatabaseBuildTexts.h"
#include "wsdb/DatabaseFolder.h"
#include "wsdb/DatabaseMessages.h"
#include "wsdb/DatabaseState.h"

namespace cvx {

QLabel* MakeDatabaseStateLabel(QWidget* frame) {
  auto* label = new QLabel(frame);
  label->setObjectName(QStringLiteral("lblDBstate"));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

DatabaseBuildPage::DatabaseBuildPage(Controls controls, Services services, StartOptions& start)
    : c_(std::move(controls)), s_(std::move(services)), start_(start) {
  connect(c_.cmdBuildWSdb, &QPushButton::clicked, this, [this] { makeDB({}); });
  connect(&job_, &DatabaseBuildJob::Progress, this, [this](std::size_t handled, std::size_t found) {
    c_.status.Set(Q(BuildProgressText(handled, found)));
  });
  connect(&job_, &DatabaseBuildJob::Finished, this,
          [this](const DatabaseBuildResult& r) { BuildEnded(r); });
  if (c_.frame) c_.frame->installEventFilter(this);
}

bool DatabaseBuildPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == c_.frame && event->type() == QEvent::Show) ShowDatabaseState();
  return false;
}

void DatabaseBuildPage::ShowDatabaseState() {
  if (!c_.lblDBstate) return;
  const DatabaseState state = ReadDatabaseState(start_.DBPath, start_.TreeName);
  c_.lblDBstate->setText(QString::fromStdString(DatabaseStateText(state)));
  c_.lblDBstate->setToolTip(QString::fromStdString(state.path));
}

void DatabaseBuildPage::ChooseDatabaseFolder() {
  if (!start_.DBPath.empty()) return;
  start_.DBPath =
      DefaultDatabaseFolder(DatabaseFolderPlacesFromEnvironment(s_.programDir), start_.TreeName);
  start_.DBPathByDefault = true;
}

void DatabaseBuildPage::BuildEnded(const DatabaseBuildResult& r) {
  for (const std::string& line : LeftOutLines(r)) s_.diagnostics.Line(line);
  if (r.built()) {
    c_.status.Announce(Q(BuildFinishedText(r)));
  } else {
    const std::string text = BuildFailedText(r);
    c_.status.Set(Q(text));
    s_.diagnostics.Line(text);
  }
  c_.cmdBuildWSdb->setEnabled(true);
  ShowDatabaseState();
}

// The build cannot start: the administrator is told by a box, a script by stderr.
void DatabaseBuildPage::Refused(const std::string& reason, const std::string& message) {
  s_.diagnostics.Line("the Workstation Database cannot be built: " + PrintableText(reason));
  job_.Refuse();
  s_.prompter.ShowMessage(Q(message), Q(kDatabaseMessageTitle), MessageIcon::kCritical);
  c_.status.Clear();
}

// A build that does not start and says so in panel 2, as a failed build does.
void DatabaseBuildPage::NotStarted(DatabaseBuildResult::Status status, const std::string& reason,
                                   const std::string& file) {
  DatabaseBuildResult r;
  r.status = status;
  r.reason = reason;
  r.file = file;
  const std::string text = BuildFailedText(r);
  c_.status.Set(Q(text));
  s_.diagnostics.Line(text);
  job_.Refuse();
}

void DatabaseBuildPage::makeDB(const std::string& commandLineContext) {
  // A second build would replace the file under the first.
  if (job_.running() || !s_.dir.Created()) return;
  const bool fromCommandLine = !commandLineContext.empty();
  const std::string context =
      fromCommandLine ? commandLineContext : NodeTag(c_.TreeViewWS->currentItem());
  if (context.empty()) return;

  const HourglassCursor wait;
  c_.status.Set(QStringLiteral("Searching ..."));
  const bool replace = fromCommandLine || !c_.optAppend->isChecked();
  ChooseDatabaseFolder();
  // The user's own folder is made by the first build that needs it.
  std::string why;
  if (start_.DBPathByDefault && !MakeDatabaseFolder(start_.DBPath, &why)) {
    return Refused(why, BuildWriteRightsMessage(start_.DBPath));
  }
  if (const std::string leaf = BuildContextRefusal(*s_.dir.NWDirWSdb, context); !leaf.empty()) {
    return NotStarted(DatabaseBuildResult::Status::kLookupsFailed, leaf, {});
  }
  DatabaseBuildFile file =
      DatabaseBuildFile::Open(start_.DBPath, start_.TreeName,
                              replace ? DatabaseWriteMode::kReplace : DatabaseWriteMode::kAppend);
  using Fault = DatabaseBuildFile::Fault;
  const Fault fault = file.fault();
  if (fault == Fault::kTreeNameRefused) {
    return Refused(file.reason(), BuildTreeNameMessage(start_.TreeName));
  }
  if (fault == Fault::kNotKept) return Refused(file.reason(), BuildNotKeptMessage(file.reason()));
  // Appending checks neither the folder nor the rights first: the records could not be added,
  // and the old file stands.
  if (fault != Fault::kNone && !replace) {
    return NotStarted(DatabaseBuildResult::Status::kWriteFailed, file.reason(), file.path());
  }
  if (fault == Fault::kDirectoryMissing) {
    Refused(file.reason(), BuildPathMissingMessage());
    s_.endProgram();
    return;
  }
  if (fault != Fault::kNone) return Refused(file.reason(), BuildWriteRightsMessage(start_.DBPath));

  job_.Begin(std::make_unique<DatabaseBuilder>(std::move(file), s_.dir.NWDirWSAddress.get()));
  c_.cmdBuildWSdb->setEnabled(false);
  DirectoryControl& search = *s_.dir.NWDirWSdb;
  // Records are written as hits arrive where the directory tells of them, so that the server's
  // work and the build's overlap.
  const auto more = connect(&search, &DirectoryControl::SearchProgress, &job_,
                            [this](const SearchResults& names) {
                              if (DatabaseBuilder* builder = job_.builder()) builder->More(names);
                            });
  const auto restarted = connect(&search, &DirectoryControl::SearchRestarted, &job_, [this] {
    if (DatabaseBuilder* builder = job_.builder()) builder->Restart();
  });
  connect(
      &search, &DirectoryControl::SearchCompleted, &job_,
      [this, more, restarted](const SearchOutcome& outcome) {
        disconnect(more);
        disconnect(restarted);
        if (DatabaseBuilder* builder = job_.builder()) builder->Start(outcome);
      },
      Qt::SingleShotConnection);
  search.SetSearchFields({std::string(kRecordAddressField)});
  search.StartSearch("*", "Workstation", kScopeSubtree, context);
}

}  // namespace cvx
