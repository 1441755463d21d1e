#include "window/startup/SettingsMapping.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTreeWidget>

#include "core/OwnAction.h"
#include "settings/AttributeChoices.h"
#include "settings/HistoryStore.h"
#include "settings/SettingsStore.h"
#include "settings/StoredSettingsIo.h"
#include "settings/UnmovedTwips.h"
#include "window/MainState.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/controls/Diagnostics.h"
#include "window/controls/MainWindowControls.h"
#include "window/controls/Prompter.h"
#include "window/layout/TwipsScale.h"
#include "window/layout/WindowGeometry.h"
#include "window/layout/WindowLayout.h"
#include "window/menus/DefaultActionCaption.h"
#include "window/search/HistoryBox.h"

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

SettingsMapping::SettingsMapping(QMainWindow& window, MainWindowControls& ui, MainState& state,
                                 Services services)
    : window_(window), ui_(ui), state_(state), s_(services) {}

int SettingsMapping::LoadSettings() {
  const StartOptions& start = state_.start;
  ActionChoice& actions = state_.actions;
  LoadedSettingsState& kept = state_.settings;
  MainWindowControls& ui = ui_;
  SettingsStore& store = s_.store;
  if (const StoreStatus status = store.Status(); !status.ok) {
    s_.diagnostics.Line(status.message);
    kept.SettingsStoreWarning = status.message;
    s_.prompter.ShowMessage(QString::fromStdString(status.message), QStringLiteral("Warning!"),
                            MessageIcon::kCritical);
  }
  const LoadedSettings loaded =
      LoadStoredSettings(store, start.TreeName, [&](std::string_view code) {
        return IsPerformableAction(code, start.ExtendedActionsAvailable, actions.OwnActions);
      });
  for (const auto& bad : loaded.bad) s_.diagnostics.Line(DescribeBadSetting(start.TreeName, bad));
  const StoredSettings& v = loaded.values;
  const TwipsScale scale(window_);
  window_.move(scale.ToPixelsX(v.Left), scale.ToPixelsY(v.Top));
  ResizeWindowTwips(window_, v.Width, v.Height);
  s_.layout.SizeControlsV(v.SplitV);
  s_.layout.SizeControlsH(v.SplitH);
  ui.lvwNDSinfo->header()->resizeSection(0, scale.ToPixelsX(v.NDSColumn1));
  ui.lvwNDSinfo->header()->resizeSection(1, scale.ToPixelsX(v.NDSColumn2));
  SelectOption(*ui.optSubOrdTreeGroup, v.SearchSubordinates);
  ui.CheckAlias->setChecked(v.SearchForAliases != 0);
  SelectOption(*ui.optDBfileGroup, v.AppendToExistingDB);
  state_.search.SearchAnchor = v.SearchAnchor;
  if (v.SearchAnchor.empty())
    ui.txtSearchAnchor->setText(QStringLiteral("the current browser's context."));
  ui.txtInvServer->setText(QString::fromStdString(v.InventoryServer));
  // The check above left only what this window can perform: "RC" for anything else.
  actions.DefaultAction = v.RemoteAction;
  ShowDefaultActionCaption(*ui.cmdRC, actions);
  state_.History = LoadHistory(store, start.TreeName);
  ShowHistoryEntries(*ui.ImageCombo1, s_.images, state_.History);
  SetCheckedAttributes(ui, 0, LoadAttributeChoices(store, start.TreeName, AttributeObject::User));
  SetCheckedAttributes(ui, 1,
                       LoadAttributeChoices(store, start.TreeName, AttributeObject::Workstation));
  // A server the box does not list (it was down at start-up) is kept for the next run.
  const int server = ui.cmbServerlist->findText(QString::fromStdString(v.ZWServer));
  if (server >= 0) {
    ui.cmbServerlist->setCurrentIndex(server);
  } else {
    ui.cmbServerlist->setCurrentIndex(-1);
    kept.UntakenZWServer = v.ZWServer;
  }
  kept.LoadedSettings = v;
  kept.SettingsLoaded = true;
  return 0;
}

StoreStatus SettingsMapping::SaveSettings() {
  const LoadedSettingsState& kept = state_.settings;
  if (!kept.SettingsLoaded) return StoreStatus::Ok();
  const std::string& tree = state_.start.TreeName;
  MainWindowControls& ui = ui_;
  SettingsStore& store = s_.store;
  const StoredSettings& old = kept.LoadedSettings;
  const TwipsScale scale(window_);
  const double dpiX = window_.logicalDpiX();
  const double dpiY = window_.logicalDpiY();
  const bool minimized = window_.isMinimized();
  StoredSettings v = old;
  if (!minimized) {
    v.Left = UnmovedTwips(old.Left, scale.ToTwipsX(window_.pos().x()), dpiX);
    v.Top = UnmovedTwips(old.Top, scale.ToTwipsY(window_.pos().y()), dpiY);
    v.Width = UnmovedTwips(old.Width, WindowWidthTwips(window_), dpiX);
    v.Height = UnmovedTwips(old.Height, WindowHeightTwips(window_), dpiY);
    v.SplitV = UnmovedTwips(old.SplitV, state_.pages.splitV, dpiX);
    v.SplitH = UnmovedTwips(old.SplitH, state_.pages.splitH, dpiY);
    v.NDSColumn1 =
        UnmovedTwips(old.NDSColumn1, scale.ToTwipsX(ui.lvwNDSinfo->header()->sectionSize(0)), dpiX);
    v.NDSColumn2 =
        UnmovedTwips(old.NDSColumn2, scale.ToTwipsX(ui.lvwNDSinfo->header()->sectionSize(1)), dpiX);
  }
  const QString server = ui.cmbServerlist->currentText();
  v.ZWServer = server.isEmpty() ? kept.UntakenZWServer : server.toStdString();
  v.SearchForAliases = ui.CheckAlias->isChecked() ? 1 : 0;
  v.SearchSubordinates = SelectedOption(*ui.optSubOrdTreeGroup);
  v.AppendToExistingDB = SelectedOption(*ui.optDBfileGroup);
  v.RemoteAction = state_.actions.DefaultAction;
  // Until the browser has read a context, the stored one stands.
  const std::string& current = state_.search.CurrentContext;
  v.CurrentContext = !current.empty() ? current : ReadCurrentContext(store, tree, "");
  v.SearchAnchor = state_.search.SearchAnchor;
  v.InventoryServer = ui.txtInvServer->text().toStdString();
  const std::vector<std::string> users = CheckedAttributes(ui, 0);
  const std::vector<std::string> workstations = CheckedAttributes(ui, 1);
  // One transaction: one bounded wait for another writer's lock, not one per group of keys.
  StoreStatus status;
  status.Note(store.Transaction([&] {
    status.Note(SaveStoredSettings(store, tree, v, minimized));
    status.Note(SaveAttributeChoices(store, tree, AttributeObject::User, users));
    status.Note(SaveAttributeChoices(store, tree, AttributeObject::Workstation, workstations));
  }));
  return status;
}

}  // namespace cvx
