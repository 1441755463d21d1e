#include "shell/SettingsProcedures.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <iostream>

#include "core/OwnAction.h"
#include "settings/AttributeChoices.h"
#include "settings/HistoryStore.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettingsIo.h"
#include "settings/UnmovedTwips.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/search/HistoryBox.h"
#include "window/controls/Prompter.h"
#include "window/layout/SplitterPositions.h"
#include "window/browsers/TreeCommands.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

void SelectOption(QButtonGroup& group, int index) {
  if (QAbstractButton* b = group.button(index)) b->setChecked(true);
}

int SelectedOption(const QButtonGroup& group) {
  const int id = group.checkedId();
  return id < 0 ? 0 : id;
}

}  // namespace

int LoadSettings(frmMain& w) {
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  SettingsStore& store = w.settings();
  // A store that cannot be used is said once; the run goes on with the defaults.
  if (const StoreStatus status = store.Status(); !status.ok) {
    std::cerr << "cvx: " << status.message << "\n";
    s.SettingsStoreWarning = status.message;
    w.prompter().ShowMessage(QString::fromStdString(status.message), QStringLiteral("Warning!"),
                             MessageIcon::kCritical);
  }

  const LoadedSettings loaded = LoadStoredSettings(store, s.TreeName, [&s](std::string_view code) {
    return IsPerformableAction(code, s.ExtendedActionsAvailable, s.OwnActions);
  });
  for (const auto& bad : loaded.bad) std::cerr << DescribeBadSetting(s.TreeName, bad) << "\n";
  const StoredSettings& v = loaded.values;

  const TwipsScale scale(w);
  w.move(scale.ToPixelsX(v.Left), scale.ToPixelsY(v.Top));
  ResizeWindowTwips(w, v.Width, v.Height);
  SizeControlsV(w, v.SplitV);
  SizeControlsH(w, v.SplitH);
  ui.lvwNDSinfo->header()->resizeSection(0, scale.ToPixelsX(v.NDSColumn1));
  ui.lvwNDSinfo->header()->resizeSection(1, scale.ToPixelsX(v.NDSColumn2));
  SelectOption(*ui.optSubOrdTreeGroup, v.SearchSubordinates);
  ui.CheckAlias->setChecked(v.SearchForAliases != 0);
  SelectOption(*ui.optDBfileGroup, v.AppendToExistingDB);

  s.SearchAnchor = v.SearchAnchor;
  if (s.SearchAnchor.empty())
    ui.txtSearchAnchor->setText(QStringLiteral("the current browser's context."));
  ui.txtInvServer->setText(QString::fromStdString(v.InventoryServer));

  // The check above left only what this window can perform: "RC" for anything else.
  s.DefaultAction = v.RemoteAction;
  ShowDefaultActionCaption(w);

  s.History = LoadHistory(store, s.TreeName);
  ShowHistoryEntries(*ui.ImageCombo1, w.images(), s.History);

  SetCheckedAttributes(ui, 0, LoadAttributeChoices(store, s.TreeName, AttributeObject::User));
  SetCheckedAttributes(ui, 1,
                       LoadAttributeChoices(store, s.TreeName, AttributeObject::Workstation));

  // A server the box does not list (it was down at start-up) is kept for the next run.
  const int server = ui.cmbServerlist->findText(QString::fromStdString(v.ZWServer));
  if (server >= 0) {
    ui.cmbServerlist->setCurrentIndex(server);
  } else {
    ui.cmbServerlist->setCurrentIndex(-1);
    s.UntakenZWServer = v.ZWServer;
  }

  s.LoadedSettings = v;
  s.SettingsLoaded = true;
  return 0;
}

StoreStatus SaveSettings(frmMain& w) {
  MainState& s = w.state();
  if (!s.SettingsLoaded) return StoreStatus::Ok();
  MainWindowControls& ui = w.ui();
  const StoredSettings& old = s.LoadedSettings;
  const TwipsScale scale(w);
  const double dpiX = w.logicalDpiX();
  const double dpiY = w.logicalDpiY();

  StoredSettings v = old;
  if (!w.isMinimized()) {
    v.Left = UnmovedTwips(old.Left, scale.ToTwipsX(w.pos().x()), dpiX);
    v.Top = UnmovedTwips(old.Top, scale.ToTwipsY(w.pos().y()), dpiY);
    v.Width = UnmovedTwips(old.Width, WindowWidthTwips(w), dpiX);
    v.Height = UnmovedTwips(old.Height, WindowHeightTwips(w), dpiY);
    v.SplitV = UnmovedTwips(old.SplitV, w.splitV(), dpiX);
    v.SplitH = UnmovedTwips(old.SplitH, w.splitH(), dpiY);
    v.NDSColumn1 =
        UnmovedTwips(old.NDSColumn1, scale.ToTwipsX(ui.lvwNDSinfo->header()->sectionSize(0)), dpiX);
    v.NDSColumn2 =
        UnmovedTwips(old.NDSColumn2, scale.ToTwipsX(ui.lvwNDSinfo->header()->sectionSize(1)), dpiX);
  }
  const QString server = ui.cmbServerlist->currentText();
  v.ZWServer = server.isEmpty() ? s.UntakenZWServer : server.toStdString();
  v.SearchForAliases = ui.CheckAlias->isChecked() ? 1 : 0;
  v.SearchSubordinates = SelectedOption(*ui.optSubOrdTreeGroup);
  v.AppendToExistingDB = SelectedOption(*ui.optDBfileGroup);
  v.RemoteAction = s.DefaultAction;
  // Until the browser has read a context, the stored one stands.
  v.CurrentContext = !s.CurrentContext.empty() ? s.CurrentContext
                                               : ReadCurrentContext(w.settings(), s.TreeName, "");
  v.SearchAnchor = s.SearchAnchor;
  v.InventoryServer = ui.txtInvServer->text().toStdString();
  const std::vector<std::string> users = CheckedAttributes(ui, 0);
  const std::vector<std::string> workstations = CheckedAttributes(ui, 1);
  // One transaction: one bounded wait for another writer's lock, not one per group of keys.
  StoreStatus status;
  status.Note(w.settings().Transaction([&] {
    status.Note(SaveStoredSettings(w.settings(), s.TreeName, v, w.isMinimized()));
    status.Note(SaveAttributeChoices(w.settings(), s.TreeName, AttributeObject::User, users));
    status.Note(
        SaveAttributeChoices(w.settings(), s.TreeName, AttributeObject::Workstation, workstations));
  }));
  return status;
}

int ShowSearchAnchor(frmMain& w) {
  ShowSearchAnchorInTree(w);
  return 0;
}

}  // namespace cvx
