#include "window/search/TargetSearch.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include "core/UNCtoDOTConversion.h"
#include "core/Validation.h"
#include "directory/DirectoryClient.h"
#include "target/ResultEntries.h"
#include "window/attributes/AttributeDisplay.h"
#include "window/launch/CheckLogin.h"
#include "window/search/HistoryBox.h"
#include "window/launch/RemoteActionRun.h"
#include "window/search/ResultsList.h"
#include "window/controls/StatusPanels.h"
#include "window/browsers/TreeExpansion.h"
#include "window/controls/TreeNodes.h"
#include "window/frmMain.h"

namespace cvx {

namespace {

bool IsContainerClass(const std::string& image) {
  return image == "Country" || image == "Organizational Unit" || image == "Organization" ||
         image == "Top";
}

void DefaultPointer() {
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

void StartTargetSearch(frmMain& w, const std::string& text) {
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  DirectoryClient* client = w.client();
  if (!client || !w.dir().NWDirUser) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SetStatusPanelText(ui, 2, QStringLiteral("Searching ..."));
  const std::string classes =
      ui.CheckAlias->isChecked() ? "User, Alias, Workstation" : "User, Workstation";
  const int scope = ui.optSubOrdTreeGroup->checkedId() == 1 ? kScopeContainerOnly : kScopeSubtree;
  if (s.SearchAnchorActive) s.CurrentContext = s.SearchAnchor;
  const std::string context =
      s.CurrentContext.empty() ? w.dir().NWDirUser->ContextPath() : s.CurrentContext;

  // Only the latest search may decide what is shown: the control of an earlier one goes, and
  // with it its completion.
  auto& search = w.dir().UserSearch;
  search = client->CreateControl();
  search->SetClassFilter(w.dir().NWDirUser->ClassFilter());
  search->SetContextPath(w.dir().NWDirUser->ContextPath());
  QObject::connect(search.get(), &DirectoryControl::SearchCompleted, &w,
                   [&w](const SearchOutcome& outcome) { NWDirUser_SearchCompleted(w, outcome); });
  search->StartSearch(text + "*", classes, scope, context);
}

// The "Context: " line after a search: the container of the selected browser node.
void ShowContextLine(frmMain& w) {
  DefaultPointer();
  const QTreeWidgetItem* node = w.ui().TreeViewRC->currentItem();
  if (node && node->parent()) {
    SetStatusPanelText(w.ui(), 2, QStringLiteral("Context: ") + Q(NodeKey(node->parent())));
  } else if (StatusPanelText(w.ui(), 2) == QStringLiteral("Searching ...")) {
    // Without a node to name, "Searching ..." would stay as if the search were still running:
    // name the context that was searched instead.
    const std::string& current = w.state().CurrentContext;
    const std::string context = current.empty() ? w.dir().NWDirUser->ContextPath() : current;
    SetStatusPanelText(w.ui(), 2, QStringLiteral("Context: ") + Q(context));
  }
}

void SearchFailed(frmMain& w, const DirError& error) {
  DefaultPointer();
  const MainState& s = w.state();
  std::string text;
  if (error.number == kDirNoSuchObject && s.SearchAnchorActive) {
    text = "The search anchor " + s.SearchAnchor + " does not exist any more!";
  } else if (error.number == kDirNoSuchObject) {
    text = "The search context does not exist any more!";
  } else {
    text = "Search failed: " + error.message;
  }
  AnnounceStatusText(w.ui(), Q(text));
}

void SeveralHits(frmMain& w, const SearchResults& names) {
  DefaultPointer();
  ResultEntries entries;
  for (const auto& name : names) entries.Add({name, DottedName(name), "User"});
  ShowResultEntries(w, entries);
  w.ui().lstMultiple->headerItem()->setText(0, QStringLiteral("Multiple users found ..."));
  SetStatusPanelText(w.ui(), 2, QString());
}

void OneHit(frmMain& w, const std::string& name) {
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  const auto found = w.dir().NWDirWSAddress->FindEntry(name);
  if (!found) {
    DefaultPointer();
    if (found.error() == kDirNoSuchObject) {
      AnnounceStatusText(ui, QStringLiteral("User/workstation object not found!"));
    } else if (found.error() != kDirLost) {
      AnnounceStatusText(ui, Q("Directory lookup failed: " + found.message()));
    }
    return;
  }
  const std::string fullPath = (*found)->FullPath();
  s.TargetName = fullPath;
  s.TargetClass = (*found)->Layout().Name;
  treeExp(w, fullPath);
  // The browser may not show the object (it came after its level was read): then the object
  // found is the one to show and resolve, never the container the browser stopped at.
  const QTreeWidgetItem* node = ui.TreeViewRC->currentItem();
  const std::string shown = node && NodeKey(node) == fullPath ? NodeKey(node) : fullPath;
  getNDSinfo(w, shown);
  if (s.TargetClass == "Workstation") {
    BuildAndLaunch(w, fullPath);
    DefaultPointer();
    return;
  }
  checkLogin(w, node && NodeKey(node) == fullPath ? NodeTag(node) : fullPath);
  ShowContextLine(w);
}

}  // namespace

void cmdRC_Click(frmMain& w) {
  MainState& s = w.state();
  MainWindowControls& ui = w.ui();
  if (s.TreePickActive) {
    const QTreeWidgetItem* node = ui.TreeViewRC->currentItem();
    if (!node || IsContainerClass(NodeImage(node))) return;
    s.TargetName = NodeKey(node);
    s.TargetClass = NodeImage(node);
    RunRemoteAction(w, s.TargetName);
  } else if (s.HistoryPickActive) {
    const HistoryPick pick = ChosenHistoryEntry(*ui.ImageCombo1, s.History);
    if (pick.fullName.empty()) return;
    s.TargetName = pick.fullName;
    s.TargetClass = pick.className;
    RunRemoteAction(w, s.TargetName);
  } else if (s.ResultPickActive.value_or(false)) {
    ResultsListDoubleClick(w);
  } else {
    const std::string text = ui.ImageCombo1->currentText().toStdString();
    if (!IsSearchableText(text)) return;
    StartTargetSearch(w, text);
  }
}

void NWDirUser_SearchCompleted(frmMain& w, const SearchOutcome& outcome) {
  if (!outcome) return SearchFailed(w, outcome.dirError());
  const SearchResults& names = *outcome;
  if (names.size() >= 2) return SeveralHits(w, names);
  if (names.size() == 1) return OneHit(w, names.front());
  ShowContextLine(w);
}

void ConnectTargetSearch(frmMain& w) {
  QObject::connect(w.ui().cmdRC, &QPushButton::clicked, &w, [&w] { cmdRC_Click(w); });
}

}  // namespace cvx
