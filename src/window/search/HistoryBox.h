#pragma once

#include <string>

#include "settings/HistoryEntry.h"

class QComboBox;

namespace cvx {

class ImageListMy;
class frmMain;

// The history box shows the history entries in order, each with its class picture and its full
// name as the item's data.
void ShowHistoryEntries(QComboBox& box, const ImageListMy& images, const HistoryItems& entries);

// The full name and class of the box's chosen entry; empty when none is chosen.
struct HistoryPick {
  std::string fullName;
  std::string className;
};
HistoryPick ChosenHistoryEntry(const QComboBox& box, const HistoryItems& entries);

// Records a target: appended to the box unless its key is there or its class has no picture,
// then stored in the tree's history section.
void AddHistory(frmMain& w, const std::string& key, const std::string& name,
                const std::string& className);

// The box's handlers (focus, choice, typing, Enter) and the purge button.
void ConnectHistoryBox(frmMain& w);

}  // namespace cvx
