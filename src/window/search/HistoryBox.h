#pragma once

#include <QObject>
#include <string>

#include "settings/HistoryEntry.h"
#include "window/FeatureLinks.h"
#include "window/controls/StatusPanels.h"

class QComboBox;
class QPushButton;

namespace cvx {

class ImageListMy;
class PickDisplay;
class SettingsStore;
struct StartOptions;
struct TargetPick;

// The history box shows the history entries in order, each with its class picture and its full
// name as the item's data.
void ShowHistoryEntries(QComboBox& box, const ImageListMy& images, const HistoryItems& entries);

// The full name and class of the box's chosen entry; empty when none is chosen.
struct HistoryPick {
  std::string fullName;
  std::string className;
};
HistoryPick ChosenHistoryEntry(const QComboBox& box, const HistoryItems& entries);

// The history box ImageCombo1 and its purge button: focus selects the text, typing leaves pick
// mode, Enter presses the action button, choosing an entry makes the box the picker.
class HistoryBox : public QObject, public HistoryRecorder {
  Q_OBJECT

 public:
  HistoryBox(const PickDisplay& shown, QPushButton& cmdPurgeH, StatusLine status,
             const ImageListMy& images, SettingsStore& settings, HistoryItems& history,
             const StartOptions& start, TargetPick& pick);

  // Records a target: appended to the box unless its key is there or its class has no picture,
  // then stored in the tree's history section.
  void AddHistory(const std::string& key, const std::string& name,
                  const std::string& className) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ImageCombo1_Click();
  void cmdPurgeH_Click();

  const PickDisplay& shown_;
  StatusLine status_;
  const ImageListMy& images_;
  SettingsStore& settings_;
  HistoryItems& history_;
  const StartOptions& start_;
  TargetPick& pick_;
};

}  // namespace cvx
