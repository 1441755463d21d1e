#include "window/menus/ActionMenuController.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "core/OwnAction.h"
#include "window/MainState.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/Prompter.h"
#include "window/controls/QtText.h"
#include "window/controls/TreeNodes.h"
#include "window/layout/PageSwitching.h"
#include "window/layout/TwipsScale.h"
#include "window/menus/ActionMenus.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/search/ResultsList.h"

namespace cvx {

namespace {

constexpr int kMenuOffsetTwips = 50;

}  // namespace

ActionMenuController::ActionMenuController(Controls controls, Services services,
                                           ActionChoice& actions, const StartOptions& start,
                                           TargetPick& pick)
    : c_(std::move(controls)), s_(services), actions_(actions), start_(start), pick_(pick) {
  c_.Command1->installEventFilter(this);
  // Mouse presses never reach the button, so a click can only come from the keyboard (Space).
  connect(c_.Command1, &QToolButton::clicked, this, [this] { Command1_MouseDown(); });
  for (const QMenu* menu : {c_.menus.mnuMain, c_.menus.mnuDefaultAction}) {
    for (QAction* entry : menu->actions()) {
      const auto meant = ActionOfMenuEntry(entry->objectName().toStdString());
      if (!meant) continue;
      const RemoteAction* action = meant->action;
      if (meant->menu == ActionMenuKind::kDefault) {
        connect(entry, &QAction::triggered, this,
                [this, action] { mnuDefaultAction_Click(*action); });
      } else {
        connect(entry, &QAction::triggered, this, [this, action] { mnuMain_Click(*action); });
      }
    }
  }
}

// Command1 opens its menu on a press of any mouse button, not only on a left click.
bool ActionMenuController::eventFilter(QObject* watched, QEvent* event) {
  if (watched != c_.Command1 || event->type() != QEvent::MouseButtonPress) return false;
  if (!c_.Command1->isEnabled()) return true;
  Command1_MouseDown();
  // The menu takes the mouse; the button must not stay down waiting for a release.
  return true;
}

// The message, then the settings page with the inventory server box.
void ActionMenuController::RefuseInventory() {
  s_.prompter.ShowMessage(Q(InventoryServerMissingMessage()), Q(kInventoryWarningTitle),
                          MessageIcon::kCritical);
  s_.pages.ShowSettingsPage(1);
  c_.status.Clear();
}

ActionMenuPick ActionMenuController::ReadPick() const {
  ActionMenuPick pick;
  pick.fromResultsList = pick_.pickedBy == PickSource::kResults;
  if (pick.fromResultsList) {
    const QTreeWidgetItem* entry = c_.lstMultiple->currentItem();
    pick.selected = entry != nullptr;
    pick.key = ResultKey(entry);
    pick.image = ResultIcon(entry);
    if (!pick.key.empty() && pick.image == "User") {
      pick.className = ResultClass(s_.dir.NWDirWSAddress.get(), entry);
    }
  } else {
    const QTreeWidgetItem* node = c_.TreeViewRC->currentItem();
    pick.selected = node != nullptr && !IsPlaceholder(node);
    pick.key = NodeKey(node);
    pick.image = NodeImage(node);
  }
  return pick;
}

void ActionMenuController::Apply(const ActionMenuOutcome& outcome, const std::string& action) {
  switch (outcome.start) {
    case ActionMenuStart::kNothing:
      return;
    case ActionMenuStart::kRefused:
      RefuseInventory();
      return;
    case ActionMenuStart::kRunRemoteAction:
      pick_.TargetName = outcome.targetName;
      pick_.TargetClass = outcome.targetClass;
      s_.actions.RunRemoteAction(outcome.fullName, action);
      return;
    case ActionMenuStart::kBuildAndLaunch:
      pick_.TargetName = outcome.targetName;
      pick_.TargetClass = outcome.targetClass;
      s_.actions.BuildAndLaunch(outcome.fullName, action,
                                ResultLogin(c_.lstMultiple->currentItem()));
      return;
  }
}

QPoint ActionMenuController::DefaultActionMenuPosition() const {
  const QPushButton& button = *c_.cmdRC;
  const TwipsScale t(*c_.window);
  const QPoint topLeft = button.mapTo(c_.window, QPoint(0, 0));
  const int x = t.ToTwipsX(topLeft.x()) + kMenuOffsetTwips;
  const int y = t.ToTwipsY(topLeft.y()) + t.Height(button) + kMenuOffsetTwips;
  return {t.ToPixelsX(x), t.ToPixelsY(y)};
}

void ActionMenuController::Command1_MouseDown() {
  c_.menus.mnuDefaultAction->popup(c_.window->mapToGlobal(DefaultActionMenuPosition()));
}

void ActionMenuController::MakeDefault(const std::string& action) {
  actions_.DefaultAction = action;
  ShowDefaultActionCaption(*c_.cmdRC, actions_);
  c_.cmdRC->setFocus();
}

void ActionMenuController::mnuDefaultAction_Click(const RemoteAction& action) {
  const DefaultActionChoice choice =
      ChooseDefaultAction(action, c_.txtInvServer->text().toStdString());
  if (choice.refused) return RefuseInventory();
  MakeDefault(choice.newDefault);
}

void ActionMenuController::mnuMain_Click(const RemoteAction& action) {
  Apply(PlanActionMenuEntry(action, c_.txtInvServer->text().toStdString(), ReadPick()),
        std::string(action.code));
}

void ActionMenuController::mnuDefaultActionOwn_Click(const std::string& name) {
  MakeDefault(name);
}

void ActionMenuController::mnuMainOwn_Click(const std::string& name) {
  Apply(PlanActionMenuPick(ReadPick()), name);
}

void ActionMenuController::AddOwnActionEntries() {
  if (actions_.OwnActions.empty()) return;
  ActionMenus& m = c_.menus;
  m.mnuMain->addSeparator();
  m.mnuDefaultAction->addSeparator();
  for (const OwnAction& own : actions_.OwnActions) {
    const QString name = QString::fromStdString(own.name);
    QAction* once = m.mnuMain->addAction(OwnActionText(own));
    once->setObjectName(QStringLiteral("mnuOwn:") + name);
    connect(once, &QAction::triggered, this, [this, name = own.name] { mnuMainOwn_Click(name); });
    QAction* def = m.mnuDefaultAction->addAction(OwnActionText(own));
    def->setObjectName(QStringLiteral("mnuDefOwn:") + name);
    connect(def, &QAction::triggered, this,
            [this, name = own.name] { mnuDefaultActionOwn_Click(name); });
  }
  if (!start_.ExtendedActionsAvailable) {
    for (QAction* a : {m.mnuDefRV, m.mnuDefRE, m.mnuDefFileTransfer, m.mnuDefCH, m.mnuDefDiag,
                       m.mnuDefInventory, m.mnuDefPing}) {
      a->setVisible(false);
    }
    c_.Command1->setVisible(true);
  }
}

}  // namespace cvx
