#include "window/DatabaseBuild.h"

#include <unistd.h>

#include <QPushButton>
#include <QRadioButton>
#include <iostream>

#include "window/DatabaseBuildJob.h"
#include "window/DatabaseStateLabel.h"
#include "window/Prompter.h"
#include "window/SelectedWSContext.h"
#include "window/StatusPanels.h"
#include "window/frmMain.h"
#include "wsdb/DatabaseBuildTexts.h"
#include "wsdb/DatabaseMessages.h"

namespace cvx {

namespace {

// A build from the command line reports to whoever started it: progress on a terminal, and a
// summary line at the end.
bool Unattended(frmMain& w) {
  return !w.state().DBBuildContext.empty();
}

void ShowProgress(frmMain& w, std::size_t handled, std::size_t found) {
  const std::string text = BuildProgressText(handled, found);
  SetStatusPanelText(w.ui(), 2, QString::fromStdString(text));
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
    SetStatusPanelText(ui, 2, QString::fromStdString(text));
    std::cerr << "cvx: " << text << "\n";
  }
  w.unsetCursor();
  ui.cmdBuildWSdb->setEnabled(true);
  ShowDatabaseState(w);
  DatabaseBuildOf(w).End(r.built());
}

// The build cannot start: the administrator is told by a box, a script by stderr.
void Refused(frmMain& w, const DatabaseBuildFile& file) {
  std::cerr << "cvx: the Workstation Database cannot be built: " << file.reason() << "\n";
  DatabaseBuildOf(w).Refuse();
}

}  // namespace

void makeDB(frmMain& w) {
  DatabaseBuildJob& job = DatabaseBuildOf(w);
  // A second build would replace the file under the first.
  if (job.running() || !w.dir().Created()) return;
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  const std::string context = !s.DBBuildContext.empty() ? s.DBBuildContext : SelectedWSContext(ui);
  if (context.empty()) return;

  w.setCursor(Qt::WaitCursor);
  SetStatusPanelText(ui, 2, QStringLiteral("Searching ..."));
  const bool replace = !s.DBBuildContext.empty() || !ui.optDBfile[0]->isChecked();
  if (s.DBPath.empty()) s.DBPath = w.ports().programDir;
  DatabaseBuildFile file = DatabaseBuildFile::Open(
      s.DBPath, s.TreeName, replace ? DatabaseWriteMode::kReplace : DatabaseWriteMode::kAppend);
  const QString title = QString::fromUtf8(kDatabaseMessageTitle.data(),
                                          static_cast<qsizetype>(kDatabaseMessageTitle.size()));
  switch (file.fault()) {
    case DatabaseBuildFile::Fault::kNone:
      break;
    case DatabaseBuildFile::Fault::kDirectoryMissing:
      Refused(w, file);
      w.prompter().ShowMessage(QString::fromStdString(BuildPathMissingMessage()), title,
                               MessageIcon::kCritical);
      w.unsetCursor();
      w.close();  // the tool ends
      return;
    default:
      Refused(w, file);
      w.prompter().ShowMessage(QString::fromStdString(BuildWriteRightsMessage(s.DBPath)), title,
                               MessageIcon::kCritical);
      w.unsetCursor();
      SetStatusPanelText(ui, 2, QString());
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
  w.dir().NWDirWSdb->StartSearch("*", "Workstation", kScopeSubtree, context);
}

void NWDirWSdb_SearchCompleted(frmMain& w, const SearchOutcome& outcome) {
  if (DatabaseBuilder* builder = DatabaseBuildOf(w).builder()) builder->Start(outcome);
}

void ConnectDatabaseBuild(frmMain& w) {
  QObject::connect(w.ui().cmdBuildWSdb, &QPushButton::clicked, &w, [&w] { makeDB(w); });
  FollowDatabaseState(w);
}

}  // namespace cvx
