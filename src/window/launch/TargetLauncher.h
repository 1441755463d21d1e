#pragma once

#include <string>

#include "target/TargetOutcome.h"
#include "window/FeatureLinks.h"
#include "window/controls/StatusPanels.h"

class QComboBox;
class QLineEdit;
class QTreeWidget;

namespace cvx {

class ImageListMy;
class Pages;
class ProcessLauncher;
class Prompter;
struct ActionChoice;
struct DirectoryControls;
struct OwnAction;
struct StartOptions;
struct TargetPick;

// The launch path of the window: from a target to the started program (a catalogue action's
// command line or an own action's arguments), or to the list of the user's logins to choose from.
class TargetLauncher : public TargetActions {
 public:
  struct Controls {
    QTreeWidget* lstMultiple = nullptr;
    QComboBox* cmbServerlist = nullptr;
    QLineEdit* txtInvServer = nullptr;
    StatusLine status;
  };
  struct Services {
    ProcessLauncher& launcher;
    Prompter& prompter;
    const ImageListMy& images;
    const DirectoryControls& dir;  // NWDirWSAddress looks targets up
    HistoryRecorder& history;
    const Pages& pages;
    std::string programDir;
  };
  TargetLauncher(Controls controls, Services services, const StartOptions& start,
                 const ActionChoice& actions, const TargetPick& pick);

  // Runs the action for a target: a workstation at once; a user at the workstation of its one
  // login, or its logins listed for a choice. login: the login a workstation target was listed
  // for, when it came from the results list.
  void RunRemoteAction(const std::string& fullName, const std::string& action,
                       const LoginOrigin& login = {}) override;

  // Forms the command of the action for a workstation (recording the target in the history) and
  // starts it, showing what the start left to show. False when nothing was started. An own
  // action starts its program with its field codes filled in for the workstation and the login
  // it was reached through.
  bool BuildAndLaunch(const std::string& workstationFullName, const std::string& action,
                      const LoginOrigin& login = {}) override;

  // Resolves a user to the workstations at which the user is logged in and lists them in
  // lstMultiple. A look-up that fails leaves the list empty and says so in status panel 2; the
  // error number is returned (0 when found) for the caller to know, never to end on.
  int CheckLogin(const std::string& fullName) override;

 private:
  // Applies every part of an outcome that is set; then starts its workstation, if it names one.
  void Apply(const TargetOutcome& outcome, const std::string& action, const LoginOrigin& login);
  bool LaunchOwnAction(const OwnAction& own, const std::string& workstationFullName,
                       const LoginOrigin& login);
  // A missing or unreadable database: its message, then the settings page of the database.
  void ShowDatabaseMessage(const std::string& text);

  Controls c_;
  Services s_;
  const StartOptions& start_;
  const ActionChoice& actions_;
  const TargetPick& pick_;
};

}  // namespace cvx
