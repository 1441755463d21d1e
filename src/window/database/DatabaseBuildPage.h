#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <string>

#include "directory/DirectoryControl.h"
#include "window/controls/StatusPanels.h"
#include "window/database/DatabaseBuildJob.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QWidget;

namespace cvx {

class Diagnostics;
class Prompter;
struct DirectoryControls;
struct StartOptions;

// The line under the build button that says how current the workstation database is.
QLabel* MakeDatabaseStateLabel(QWidget* frame);

// The "Workstation Database" settings frame: the build button, replace or append, and the state
// of the database file, read afresh whenever the frame comes to the front (a build from another
// run, a nightly one, may have written the file meanwhile).
class DatabaseBuildPage : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QPushButton* cmdBuildWSdb = nullptr;
    QRadioButton* optAppend = nullptr;  // optDBfile(0), "Append to Existing Database"
    QTreeWidget* TreeViewWS = nullptr;  // its selected container is built
    QLabel* lblDBstate = nullptr;
    QGroupBox* frame = nullptr;  // frameS(4)
    StatusLine status;
  };
  struct Services {
    Prompter& prompter;
    Diagnostics& diagnostics;
    const DirectoryControls& dir;  // NWDirWSdb searches, NWDirWSAddress looks up
    std::string programDir;
    std::function<void()> endProgram;  // the database folder is missing
  };
  DatabaseBuildPage(Controls controls, Services services, StartOptions& start);

  DatabaseBuildJob& job() { return job_; }

  // Starts a build of the workstation database below the chosen context: the command line's
  // context for the start-up build of "/dbbuild=", else the node selected in TreeViewWS (nothing
  // happens without one). The file is replaced for the command-line build or when "Append to
  // Existing Database" is not chosen. When it is replaced, a missing database directory ends the
  // program after its message, and one that cannot be written is reported and the program stays;
  // an append that cannot write says so in panel 2. A context that is not a container is
  // refused. While the build runs the button is disabled.
  void makeDB(const std::string& commandLineContext);

  // Sets DBPath, when no "/dbpath=" gave it, to the default folder (DefaultDatabaseFolder).
  void ChooseDatabaseFolder();

  // Reads the current tree's database file and shows its state.
  void ShowDatabaseState();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildEnded(const DatabaseBuildResult& r);
  void Refused(const std::string& reason, const std::string& message);
  void NotStarted(DatabaseBuildResult::Status status, const std::string& reason,
                  const std::string& file);

  Controls c_;
  Services s_;
  StartOptions& start_;
  DatabaseBuildJob job_;
};

}  // namespace cvx
