#include "window/database/DatabaseBuild.h"

#include <unistd.h>

#include <QPushButton>
#include <QRadioButton>
#include <iostream>

#include "core/PrintableText.h"
#include "window/database/DatabaseBuildJob.h"
#include "window/database/DatabaseStateLabel.h"
#include "window/controls/Prompter.h"
#include "window/database/SelectedWSContext.h"
#include "window/controls/StatusPanels.h"
#include "window/frmMain.h"
#include "wsdb/BuildContextCheck.h"
#include "wsdb/DatabaseBuildTexts.h"
#include "wsdb/DatabaseFolder.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// The start-up build of "/dbbuild=" reports to whoever started the program: progress on a
// terminal, and a summary line at the end. Later builds of the run are the page's.
bool Unattended(frmMain& w) {
  return DatabaseBuildOf(w).fromCommandLine();
}

void ShowProgress(frmMain& w, std::size_t handled, std::size_t found) {
  const std::string text = BuildProgressText(handled, found);
  SetStatusPanelText(w.ui(), 2, Q(text));
  if (Unattended(w) && ::isatty(STDERR_FILENO)) std::cerr << "\r" << text << std::flush;
}

void BuildEnded(frmMain& w, const DatabaseBuildResult& r) {
  MainWindowControls& ui = w.ui();
  if (Unattended(w) && ::isatty(STDERR_FILENO) && r.tally.handled > 0) std::cerr << "\n";
  for (const std::string& line : LeftOutLines(r)) std::cerr << "cvx: " << line << "\n";
  if (r.built()) {
    AnnounceStatusText(ui, QString::fromStdString(BuildFinishedText(r)));
    if (Unattended(w)) std::cout << BuildSummaryLine(r) << std::endl;
  } else {
    const std::string text = BuildFailedText(r);
    SetStatusPanelText(ui, 2, Q(text));
    std::cerr << "cvx: " << text << "\n";
  }
  w.unsetCursor();
  ui.cmdBuildWSdb->setEnabled(true);
  ShowDatabaseState(w);
  DatabaseBuildOf(w).End(r.built());
}

// The build cannot start: the administrator is told by a box, a script by stderr.
void Refused(frmMain& w, const std::string& reason) {
  std::cerr << "cvx: the Workstation Database cannot be built: " << PrintableText(reason) << "\n";
  DatabaseBuildOf(w).Refuse();
}

void RefusedWithBox(frmMain& w, const std::string& reason, const std::string& message) {
  Refused(w, reason);
  w.prompter().ShowMessage(Q(message), Q(std::string(kDatabaseMessageTitle)),
                           MessageIcon::kCritical);
  w.unsetCursor();
  SetStatusPanelText(w.ui(), 2, QString());
}

// A build that does not start and says so in panel 2, as a failed build does.
void NotStarted(frmMain& w, DatabaseBuildResult::Status status, const std::string& reason,
                const std::string& file) {
  DatabaseBuildResult r;
  r.status = status;
  r.reason = reason;
  r.file = file;
  const std::string text = BuildFailedText(r);
  SetStatusPanelText(w.ui(), 2, Q(text));
  std::cerr << "cvx: " << text << "\n";
  w.unsetCursor();
  DatabaseBuildOf(w).Refuse();
}

}  // namespace

void ChooseDatabaseFolder(frmMain& w) {
  MainState& s = w.state();
  if (!s.DBPath.empty()) return;
  s.DBPath =
      DefaultDatabaseFolder(DatabaseFolderPlacesFromEnvironment(w.ports().programDir), s.TreeName);
  s.DBPathByDefault = true;
}

void makeDB(frmMain& w, const std::string& commandLineContext) {
  DatabaseBuildJob& job = DatabaseBuildOf(w);
  // A second build would replace the file under the first.
  if (job.running() || !w.dir().Created()) return;
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  const bool fromCommandLine = !commandLineContext.empty();
  const std::string context = fromCommandLine ? commandLineContext : SelectedWSContext(ui);
  if (context.empty()) return;
  job.SetFromCommandLine(fromCommandLine);

  w.setCursor(Qt::WaitCursor);
  SetStatusPanelText(ui, 2, QStringLiteral("Searching ..."));
  const bool replace = fromCommandLine || !ui.optDBfile[0]->isChecked();
  ChooseDatabaseFolder(w);
  // The user's own folder is made by the first build that needs it.
  std::string why;
  if (s.DBPathByDefault && !MakeDatabaseFolder(s.DBPath, &why)) {
    RefusedWithBox(w, why, BuildWriteRightsMessage(s.DBPath));
    return;
  }
  if (const std::string leaf = BuildContextRefusal(*w.dir().NWDirWSdb, context); !leaf.empty()) {
    NotStarted(w, DatabaseBuildResult::Status::kLookupsFailed, leaf, {});
    return;
  }
  DatabaseBuildFile file = DatabaseBuildFile::Open(
      s.DBPath, s.TreeName, replace ? DatabaseWriteMode::kReplace : DatabaseWriteMode::kAppend);
  using Fault = DatabaseBuildFile::Fault;
  const Fault fault = file.fault();
  if (fault == Fault::kTreeNameRefused) {
    RefusedWithBox(w, file.reason(), BuildTreeNameMessage(s.TreeName));
    return;
  }
  if (fault == Fault::kNotKept) {
    RefusedWithBox(w, file.reason(), BuildNotKeptMessage(file.reason()));
    return;
  }
  // Appending checks neither the folder nor the rights first: the records could not be added,
  // and the old file stands.
  if (fault != Fault::kNone && !replace) {
    NotStarted(w, DatabaseBuildResult::Status::kWriteFailed, file.reason(), file.path());
    return;
  }
  if (fault == Fault::kDirectoryMissing) {
    RefusedWithBox(w, file.reason(), BuildPathMissingMessage());
    w.close();  // the tool ends
    return;
  }
  if (fault != Fault::kNone) {
    RefusedWithBox(w, file.reason(), BuildWriteRightsMessage(s.DBPath));
    return;
  }

  auto builder = std::make_unique<DatabaseBuilder>(std::move(file), w.dir().NWDirWSAddress.get());
  QObject::connect(
      builder.get(), &DatabaseBuilder::Progress, &job,
      [&w](std::size_t handled, std::size_t found) { ShowProgress(w, handled, found); });
  QObject::connect(builder.get(), &DatabaseBuilder::Finished, &job,
                   [&w](const DatabaseBuildResult& r) { BuildEnded(w, r); });
  job.Begin(std::move(builder));
  ui.cmdBuildWSdb->setEnabled(false);
  QObject::connect(
      w.dir().NWDirWSdb.get(), &DirectoryControl::SearchCompleted, &job,
      [&w](const SearchOutcome& outcome) { NWDirWSdb_SearchCompleted(w, outcome); },
      Qt::SingleShotConnection);
  w.dir().NWDirWSdb->SetSearchFields({std::string(kRecordAddressField)});
  w.dir().NWDirWSdb->StartSearch("*", "Workstation", kScopeSubtree, context);
}

void NWDirWSdb_SearchCompleted(frmMain& w, const SearchOutcome& outcome) {
  if (DatabaseBuilder* builder = DatabaseBuildOf(w).builder()) builder->Start(outcome);
}

void ConnectDatabaseBuild(frmMain& w) {
  QObject::connect(w.ui().cmdBuildWSdb, &QPushButton::clicked, &w, [&w] { makeDB(w, {}); });
  FollowDatabaseState(w);
}

}  // namespace cvx
