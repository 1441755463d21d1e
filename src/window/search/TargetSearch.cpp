#include "window/search/TargetSearch.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include "core/ClassImages.h"
#include "core/UNCtoDOTConversion.h"
#include "core/Validation.h"
#include "directory/DirectoryClient.h"
#include "target/ResultEntries.h"
#include "target/TargetSearchPlan.h"
#include "window/MainState.h"
#include "window/controls/DirectoryControls.h"
#include "window/controls/QtText.h"
#include "window/controls/TreeNodes.h"
#include "window/search/HistoryBox.h"
#include "window/search/ResultsList.h"

namespace cvx {

TargetSearch::TargetSearch(Controls controls, Links links, Services services, SearchStart& search,
                           TargetPick& pick, const ActionChoice& actions,
                           const HistoryItems& history)
    : c_(std::move(controls)),
      links_(std::move(links)),
      s_(services),
      search_(search),
      pick_(pick),
      actions_(actions),
      history_(history) {
  connect(c_.cmdRC, &QPushButton::clicked, this, [this] { cmdRC_Click(); });
}

TargetSearch::~TargetSearch() = default;

void TargetSearch::cmdRC_Click() {
  switch (pick_.pickedBy) {
    case PickSource::kTree: {
      const QTreeWidgetItem* node = c_.TreeViewRC->currentItem();
      if (!node || IsContainerClass(NodeImage(node))) return;
      pick_.TargetName = NodeKey(node);
      pick_.TargetClass = NodeImage(node);
      links_.target.actions.RunRemoteAction(pick_.TargetName, actions_.DefaultAction);
      return;
    }
    case PickSource::kHistory: {
      const HistoryPick chosen = ChosenHistoryEntry(*c_.ImageCombo1, history_);
      if (chosen.fullName.empty()) return;
      pick_.TargetName = chosen.fullName;
      pick_.TargetClass = chosen.className;
      links_.target.actions.RunRemoteAction(pick_.TargetName, actions_.DefaultAction);
      return;
    }
    case PickSource::kResults:
      links_.runResultPick();
      return;
    case PickSource::kNone: {
      const std::string text = c_.ImageCombo1->currentText().toStdString();
      if (IsSearchableText(text)) StartTargetSearch(text);
      return;
    }
  }
}

void TargetSearch::StartTargetSearch(const std::string& text) {
  const DirectoryControl* user = s_.dir.NWDirUser.get();
  if (!s_.client || !user) return;
  searching_.emplace();
  c_.status.Set(QStringLiteral("Searching ..."));
  if (search_.SearchAnchorActive) search_.CurrentContext = search_.SearchAnchor;
  const TargetSearchRequest request =
      PlanTargetSearch(text, {c_.CheckAlias->isChecked(), c_.optSubOrdTreeGroup->checkedId() == 1,
                              search_.CurrentContext, user->ContextPath()});

  // Only the latest search may decide what is shown: the control of an earlier one goes, and
  // with it its completion.
  userSearch_ = s_.client->CreateControl();
  userSearch_->SetClassFilter(user->ClassFilter());
  userSearch_->SetContextPath(user->ContextPath());
  connect(userSearch_.get(), &DirectoryControl::SearchCompleted, this,
          [this](const SearchOutcome& outcome) { NWDirUser_SearchCompleted(outcome); });
  userSearch_->StartSearch(request.filter, request.classes, request.scope, request.context);
}

void TargetSearch::NWDirUser_SearchCompleted(const SearchOutcome& outcome) {
  // The search's hourglass gives way to one for handling its hits, gone when they are handled.
  const HourglassCursor handling;
  searching_.reset();
  if (!outcome) {
    const DirError& error = outcome.dirError();
    c_.status.Announce(
        Q(TargetSearchFailureText(error, search_.SearchAnchorActive, search_.SearchAnchor)));
    return;
  }
  const SearchResults& names = *outcome;
  if (names.size() >= 2) return SeveralHits(names);
  if (names.size() == 1) return OneHit(names.front());
  ShowContextLine();
}

// The "Context: " line after a search: the container of the selected browser node.
void TargetSearch::ShowContextLine() {
  const QTreeWidgetItem* node = c_.TreeViewRC->currentItem();
  if (node && node->parent()) {
    c_.status.ShowContext(NodeKey(node->parent()));
  } else if (c_.status.Text() == QStringLiteral("Searching ...") && s_.dir.NWDirUser) {
    // Without a node to name, "Searching ..." would stay as if the search were still running:
    // name the context that was searched instead.
    const std::string& current = search_.CurrentContext;
    c_.status.ShowContext(current.empty() ? s_.dir.NWDirUser->ContextPath() : current);
  }
}

void TargetSearch::SeveralHits(const SearchResults& names) {
  ResultEntries entries;
  for (const auto& name : names) entries.Add({name, DottedName(name), "User"});
  ShowResultEntries(*c_.lstMultiple, s_.images, entries);
  c_.lstMultiple->headerItem()->setText(0, QStringLiteral("Multiple users found ..."));
  c_.status.Clear();
}

void TargetSearch::OneHit(const std::string& name) {
  if (!s_.dir.NWDirWSAddress) return;
  const auto found = s_.dir.NWDirWSAddress->FindEntry(name);
  if (!found) {
    if (const auto text = OneHitLookupFailureText(found.error(), found.message())) {
      c_.status.Announce(Q(*text));
    }
    return;
  }
  const std::string fullPath = (*found)->FullPath();
  pick_.TargetName = fullPath;
  pick_.TargetClass = (*found)->Layout().Name;
  links_.revealInBrowser(fullPath);
  // The browser may not show the object (it came after its level was read): then the object
  // found is the one to show and resolve, never the container the browser stopped at.
  const QTreeWidgetItem* node = c_.TreeViewRC->currentItem();
  const bool shown = node && NodeKey(node) == fullPath;
  links_.target.attributes.ShowAttributes(fullPath);
  if (OneHitStepFor(pick_.TargetClass) == OneHitStep::kLaunch) {
    links_.target.actions.BuildAndLaunch(fullPath, actions_.DefaultAction);
    return;
  }
  links_.target.actions.CheckLogin(shown ? NodeTag(node) : fullPath);
  ShowContextLine();
}

}  // namespace cvx
