#pragma once

class QLabel;
class QWidget;

namespace cvx {

class frmMain;

// The line under the build button that says how current the workstation database is: its
// record count and when it was written, or that there is none.
QLabel* MakeDatabaseStateLabel(QWidget* frame);

// Reads the current tree's database file and shows its state.
void ShowDatabaseState(frmMain& w);

// Shows the state afresh whenever the Workstation Database page comes to the front: a build from
// another run (a nightly one) may have written the file meanwhile.
void FollowDatabaseState(frmMain& w);

}  // namespace cvx
