#include "window/menus/ActionMenuHandlers.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "actions/ActionMenuChoice.h"
#include "core/OwnAction.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/layout/PageSwitching.h"
#include "window/controls/Prompter.h"
#include "window/launch/RemoteActionRun.h"
#include "window/search/ResultsList.h"
#include "window/controls/StatusPanels.h"
#include "window/controls/TreeNodes.h"
#include "window/browsers/TreeViewRCMouseDown.h"
#include "window/layout/TwipsScale.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

constexpr int kMenuOffsetTwips = 50;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

std::string InventoryServer(frmMain& w) {
  return w.ui().txtInvServer->text().toStdString();
}

// The message, then the settings page with the inventory server box.
void RefuseInventory(frmMain& w) {
  w.prompter().ShowMessage(Q(InventoryServerMissingMessage()), Q(kInventoryWarningTitle),
                           MessageIcon::kCritical);
  MainState& s = w.state();
  SwitchPage(w.ui(), s.ActiveTab, 2);
  SwitchSettingsPage(w.ui(), s.ActiveSettingsTab, 1);
  SetStatusPanelText(w.ui(), 2, QString());
}

ActionMenuPick ReadPick(frmMain& w) {
  ActionMenuPick pick;
  pick.fromResultsList = w.state().ResultPickActive.value_or(false);
  if (pick.fromResultsList) {
    const QTreeWidgetItem* entry = w.ui().lstMultiple->currentItem();
    pick.selected = entry != nullptr;
    pick.key = ResultKey(entry);
    pick.image = ResultIcon(entry);
    if (!pick.key.empty() && pick.image == "User") pick.className = ResultClass(w, entry);
  } else {
    const QTreeWidgetItem* node = w.ui().TreeViewRC->currentItem();
    pick.selected = node != nullptr && !IsPlaceholder(node);
    pick.key = NodeKey(node);
    pick.image = NodeImage(node);
  }
  return pick;
}

void Apply(frmMain& w, const ActionMenuOutcome& outcome) {
  MainState& s = w.state();
  switch (outcome.start) {
    case ActionMenuStart::kNothing:
      return;
    case ActionMenuStart::kRefused:
      RefuseInventory(w);
      return;
    case ActionMenuStart::kRunRemoteAction:
      s.TargetName = outcome.targetName;
      s.TargetClass = outcome.targetClass;
      RunRemoteAction(w, outcome.fullName);
      return;
    case ActionMenuStart::kBuildAndLaunch:
      s.TargetName = outcome.targetName;
      s.TargetClass = outcome.targetClass;
      BuildAndLaunch(w, outcome.fullName, ResultLogin(w.ui().lstMultiple->currentItem()));
      return;
  }
}

// Command1 opens its menu on a press of any mouse button, not only on a left click.
class Command1Press : public QObject {
 public:
  explicit Command1Press(frmMain& w) : QObject(&w), w_(w) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    QToolButton& button = *w_.ui().Command1;
    if (watched != &button || event->type() != QEvent::MouseButtonPress) return false;
    if (!button.isEnabled()) return true;
    Command1_MouseDown(w_);
    // The menu takes the mouse; the button must not stay down waiting for a release.
    return true;
  }

 private:
  frmMain& w_;
};

}  // namespace

QPoint DefaultActionMenuPosition(frmMain& w) {
  const QPushButton& button = *w.ui().cmdRC;
  const TwipsScale t(w);
  const QPoint topLeft = button.mapTo(&w, QPoint(0, 0));
  const int x = t.ToTwipsX(topLeft.x()) + kMenuOffsetTwips;
  const int y = t.ToTwipsY(topLeft.y()) + t.Height(button) + kMenuOffsetTwips;
  return {t.ToPixelsX(x), t.ToPixelsY(y)};
}

void Command1_MouseDown(frmMain& w) {
  w.ui().menus.mnuDefaultAction->popup(w.mapToGlobal(DefaultActionMenuPosition(w)));
}

void mnuDefaultAction_Click(frmMain& w, const RemoteAction& action) {
  const DefaultActionChoice choice = ChooseDefaultAction(action, InventoryServer(w));
  if (choice.refused) return RefuseInventory(w);
  w.state().DefaultAction = choice.newDefault;
  ShowDefaultActionCaption(w);
  w.ui().cmdRC->setFocus();
}

void mnuMain_Click(frmMain& w, const RemoteAction& action) {
  MainState& s = w.state();
  s.SavedAction = s.DefaultAction;
  s.DefaultAction = std::string(action.code);
  Apply(w, PlanActionMenuEntry(action, InventoryServer(w), ReadPick(w)));
  s.DefaultAction = s.SavedAction;
}

void mnuDefaultActionOwn_Click(frmMain& w, const std::string& name) {
  w.state().DefaultAction = name;
  ShowDefaultActionCaption(w);
  w.ui().cmdRC->setFocus();
}

void mnuMainOwn_Click(frmMain& w, const std::string& name) {
  MainState& s = w.state();
  s.SavedAction = s.DefaultAction;
  s.DefaultAction = name;
  Apply(w, PlanActionMenuPick(ReadPick(w)));
  s.DefaultAction = s.SavedAction;
}

void AddOwnActionEntries(frmMain& w) {
  const MainState& s = w.state();
  if (s.OwnActions.empty()) return;
  ActionMenus& m = w.ui().menus;
  m.mnuMain->addSeparator();
  m.mnuDefaultAction->addSeparator();
  for (const OwnAction& own : s.OwnActions) {
    const QString name = QString::fromStdString(own.name);
    QAction* once = m.mnuMain->addAction(OwnActionText(own));
    once->setObjectName(QStringLiteral("mnuOwn:") + name);
    QObject::connect(once, &QAction::triggered, &w,
                     [&w, name = own.name] { mnuMainOwn_Click(w, name); });
    QAction* def = m.mnuDefaultAction->addAction(OwnActionText(own));
    def->setObjectName(QStringLiteral("mnuDefOwn:") + name);
    QObject::connect(def, &QAction::triggered, &w,
                     [&w, name = own.name] { mnuDefaultActionOwn_Click(w, name); });
  }
  if (!s.ExtendedActionsAvailable) {
    for (QAction* a : {m.mnuDefRV, m.mnuDefRE, m.mnuDefFileTransfer, m.mnuDefCH, m.mnuDefDiag,
                       m.mnuDefInventory, m.mnuDefPing}) {
      a->setVisible(false);
    }
    w.ui().Command1->setVisible(true);
  }
}

void ConnectActionMenus(frmMain& w) {
  MainWindowControls& ui = w.ui();
  ui.Command1->installEventFilter(new Command1Press(w));
  // Mouse presses never reach the button, so a click can only come from the keyboard (Space).
  QObject::connect(ui.Command1, &QToolButton::clicked, &w, [&w] { Command1_MouseDown(w); });
  for (const QMenu* menu : {ui.menus.mnuMain, ui.menus.mnuDefaultAction}) {
    for (QAction* entry : menu->actions()) {
      const auto meant = ActionOfMenuEntry(entry->objectName().toStdString());
      if (!meant) continue;
      const RemoteAction* action = meant->action;
      if (meant->menu == ActionMenuKind::kDefault) {
        QObject::connect(entry, &QAction::triggered, &w,
                         [&w, action] { mnuDefaultAction_Click(w, *action); });
      } else {
        QObject::connect(entry, &QAction::triggered, &w,
                         [&w, action] { mnuMain_Click(w, *action); });
      }
    }
  }
  InstallTreeViewRCMouseDown(w);
}

}  // namespace cvx
