#pragma once

namespace cvx {

class frmMain;

// Decides once whether the directory's schema supports the actions beyond Remote Control (it
// knows the field type "DM:ZEN File Transfer") and shows or hides their controls. The test runs
// on a fresh control without a context, that is on the directory's default tree. Never fails:
// only "no such field type" turns the actions off.
void CheckExtendedActions(frmMain& w);

// Shows or hides the extended-action controls for the current ExtendedActionsAvailable.
void ApplyExtendedActions(frmMain& w);

}  // namespace cvx
