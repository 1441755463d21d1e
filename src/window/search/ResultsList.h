#pragma once

#include <QObject>
#include <Qt>
#include <string>

#include "target/LoginOrigin.h"
#include "window/FeatureLinks.h"
#include "window/controls/StatusPanels.h"

class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

namespace cvx {

class DirectoryControl;
class ImageListMy;
class PickDisplay;
class ResultEntries;
struct ActionChoice;
struct DirectoryControls;
struct TargetPick;

// The search results list's entries: key (full name, empty for a note) and small icon.
std::string ResultKey(const QTreeWidgetItem* entry);
std::string ResultIcon(const QTreeWidgetItem* entry);
// The login a listed workstation was found through; empty for any other entry.
LoginOrigin ResultLogin(const QTreeWidgetItem* entry);

// A note that the workstation is not in the database; acting on it asks for a database update.
bool IsNotInDatabaseNote(const QTreeWidgetItem* entry);

// The class of the entry's object as the directory reports it, or its icon when the look-up
// fails: the hits of a search all carry the "User" icon, workstations too.
std::string ResultClass(const DirectoryControl* lookUp, const QTreeWidgetItem* entry);

// The list's new content, replacing what it held; and the list emptied, titled "Search Results".
void ShowResultEntries(QTreeWidget& list, const ImageListMy& images, const ResultEntries& entries);
void EmptySearchResults(QTreeWidget& list);

// The search results list lstMultiple: a click picks an entry and shows its attributes, a double
// click or Enter runs the default action on it, the right button opens the action menu.
class ResultsList : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QTreeWidget* lstMultiple = nullptr;
    QMenu* mnuMain = nullptr;
    StatusLine status;
  };
  ResultsList(Controls controls, const PickDisplay& shown, TargetLinks links,
              const DirectoryControls& dir, const ActionChoice& actions, TargetPick& pick);

  // The double-click action on the selected entry: the default action for that object. The
  // action button runs it too while the list holds the pick.
  void ResultsListDoubleClick();

  // A mouse button pressed on the list: the list takes the focus and panel 2 is emptied; the
  // right button then picks entry (the one under the mouse, or the selected one when the keyboard
  // asks for the menu) and opens the action menu at globalPos. True when the list must not see
  // the press.
  bool lstMultiple_MouseDown(bool rightButton, QTreeWidgetItem* entry, const QPoint& globalPos);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTreeWidgetItem* Selected() const;
  void PickEntry();
  void ShowPick();
  void lstMultiple_Click();

  Controls c_;
  const PickDisplay& shown_;
  TargetLinks links_;
  const DirectoryControls& dir_;
  const ActionChoice& actions_;
  TargetPick& pick_;
};

}  // namespace cvx
