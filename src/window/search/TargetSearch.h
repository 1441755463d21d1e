#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "directory/DirectoryControl.h"
#include "settings/HistoryEntry.h"
#include "window/FeatureLinks.h"
#include "window/controls/HourglassCursor.h"
#include "window/controls/StatusPanels.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;

namespace cvx {

class DirectoryClient;
class ImageListMy;
struct DirectoryControls;
struct ActionChoice;
struct SearchStart;
struct TargetPick;

// The action button cmdRC: acts on the current pick, or searches for the typed name; and the
// completion of that search.
class TargetSearch : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QPushButton* cmdRC = nullptr;
    QComboBox* ImageCombo1 = nullptr;
    QCheckBox* CheckAlias = nullptr;
    QButtonGroup* optSubOrdTreeGroup = nullptr;
    QTreeWidget* TreeViewRC = nullptr;  // read: the node the browser shows for a hit
    QTreeWidget* lstMultiple = nullptr;
    StatusLine status;
  };
  struct Links {
    TargetLinks target;
    // Opens the remote-control browser down to a full name (see RemoteControlBrowser::treeExp).
    std::function<std::string(const std::string&)> revealInBrowser;
    // The results list's double-click action, for a pick the list holds.
    std::function<void()> runResultPick;
  };
  struct Services {
    DirectoryClient* client = nullptr;  // null: no directory, nothing is searched
    const DirectoryControls& dir;       // NWDirUser's context and filter, NWDirWSAddress
    const ImageListMy& images;
  };
  TargetSearch(Controls controls, Links links, Services services, SearchStart& search,
               TargetPick& pick, const ActionChoice& actions, const HistoryItems& history);
  ~TargetSearch() override;

  void cmdRC_Click();

  // The completion of the target search: several hits listed, one workstation started at once,
  // one user resolved to the workstations of its logins, or nothing.
  void NWDirUser_SearchCompleted(const SearchOutcome& outcome);

 private:
  void StartTargetSearch(const std::string& text);
  void ShowContextLine();
  void SeveralHits(const SearchResults& names);
  void OneHit(const std::string& name);

  Controls c_;
  Links links_;
  Services s_;
  SearchStart& search_;
  TargetPick& pick_;
  const ActionChoice& actions_;
  const HistoryItems& history_;
  // The search in flight: a twin of NWDirUser made for each search, so that replacing it drops
  // the completion of an earlier, slower search. The hourglass lasts as long as it runs.
  std::unique_ptr<DirectoryControl> userSearch_;
  std::optional<HourglassCursor> searching_;
};

}  // namespace cvx
