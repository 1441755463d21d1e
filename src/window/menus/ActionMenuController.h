#pragma once

#include <QObject>
#include <QPoint>
#include <string>

#include "actions/ActionMenuChoice.h"
#include "window/FeatureLinks.h"
#include "window/controls/StatusPanels.h"

class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace cvx {

class Pages;
class Prompter;
struct ActionChoice;
struct ActionMenus;
struct DirectoryControls;
struct RemoteAction;
struct StartOptions;
struct TargetPick;

// The two action menus: the default-action menu under Command1 chooses what the action button
// cmdRC performs; the action menu of the browser and the results list runs an action once on
// their pick, the default staying in force.
class ActionMenuController : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QWidget* window = nullptr;  // the menu's position is counted in its coordinates
    QPushButton* cmdRC = nullptr;
    QToolButton* Command1 = nullptr;
    QLineEdit* txtInvServer = nullptr;
    QTreeWidget* TreeViewRC = nullptr;
    QTreeWidget* lstMultiple = nullptr;
    ActionMenus& menus;
    StatusLine status;
  };
  struct Services {
    TargetActions& actions;
    Prompter& prompter;
    const Pages& pages;
    const DirectoryControls& dir;  // NWDirWSAddress tells a listed hit's class
  };
  ActionMenuController(Controls controls, Services services, ActionChoice& actions,
                       const StartOptions& start, TargetPick& pick);

  // Where the default-action menu opens, in the window's pixels: 50 twips right of cmdRC's left
  // edge and 50 twips below its bottom edge, wherever the layout has put the button.
  QPoint DefaultActionMenuPosition() const;

  // Command1 pressed with any mouse button: the default-action menu opens below cmdRC.
  void Command1_MouseDown();

  // An entry of the default-action menu: the action becomes the default (the button's caption,
  // and the focus so that Enter performs it), unless it is Inventory without an inventory server.
  void mnuDefaultAction_Click(const RemoteAction& action);
  // An entry of the action menu: runs the action once on the pick.
  void mnuMain_Click(const RemoteAction& action);
  // The same two entries for an own action (by its name): it needs no inventory server.
  void mnuDefaultActionOwn_Click(const std::string& name);
  void mnuMainOwn_Click(const std::string& name);

  // Adds an entry per own action to both action menus, after the catalogue's and a separator;
  // entries are named "mnuOwn:NAME" and "mnuDefOwn:NAME". Own actions need nothing from the
  // schema: without the extended actions the default-action menu and its button Command1 show
  // as well, offering Remote Control and the own actions.
  void AddOwnActionEntries();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RefuseInventory();
  ActionMenuPick ReadPick() const;
  void Apply(const ActionMenuOutcome& outcome, const std::string& action);
  void MakeDefault(const std::string& action);

  Controls c_;
  Services s_;
  ActionChoice& actions_;
  const StartOptions& start_;
  TargetPick& pick_;
};

}  // namespace cvx
