#pragma once

class QComboBox;
class QPushButton;
class QString;
class QToolButton;

namespace cvx {

struct ActionChoice;

// The action row of page 1 as every picker shows a pick: the history box ImageCombo1 shows its
// name, the action button cmdRC the default action's caption, and the default-action menu
// button Command1 is enabled so that the default can be changed for it.
class PickDisplay {
 public:
  PickDisplay(QComboBox& ImageCombo1, QPushButton& cmdRC, QToolButton& Command1,
              const ActionChoice& actions);

  // A pick made: Command1 enabled and the default action's caption on cmdRC.
  void ShowPicked() const;
  // The same, with the pick's name in the history box.
  void ShowPicked(const QString& name) const;
  // Typing leaves pick mode: cmdRC searches, Command1 waits for a pick.
  void ShowSearchMode() const;
  // The caption of the default action in force (after it changed).
  void ShowDefaultCaption() const;

  QComboBox& box() const { return box_; }
  QPushButton& button() const { return cmdRC_; }

 private:
  QComboBox& box_;
  QPushButton& cmdRC_;
  QToolButton& Command1_;
  const ActionChoice& actions_;
};

}  // namespace cvx
