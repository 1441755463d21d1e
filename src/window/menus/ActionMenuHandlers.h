#pragma once

#include <QPoint>
#include <string>

namespace cvx {

class frmMain;
struct OwnAction;
struct RemoteAction;

// Where the default-action menu opens, in the main window's pixels: 50 twips right of cmdRC's
// left edge and 50 twips below its bottom edge, wherever the layout has put the button.
QPoint DefaultActionMenuPosition(frmMain& w);

// Command1 pressed with any mouse button: the default-action menu opens below cmdRC.
void Command1_MouseDown(frmMain& w);

// An entry of the default-action menu: the action becomes the default that cmdRC performs (its
// caption, and the focus so that Enter performs it), unless it is Inventory without an
// inventory server.
void mnuDefaultAction_Click(frmMain& w, const RemoteAction& action);

// An entry of the action menu: runs the action once on the pick of the browser or the results
// list. The default stays in force, whatever happens.
void mnuMain_Click(frmMain& w, const RemoteAction& action);

// The same two entries for an own action (by its name): it needs no inventory server.
void mnuDefaultActionOwn_Click(frmMain& w, const std::string& name);
void mnuMainOwn_Click(frmMain& w, const std::string& name);

// Adds an entry per own action (OwnActions) to both action menus, after the catalogue's and a
// separator, and connects them; entries are named "mnuOwn:NAME" and "mnuDefOwn:NAME". Own
// actions need nothing from the schema: without the extended actions the default-action menu
// and its button Command1 show as well, offering Remote Control and the own actions.
void AddOwnActionEntries(frmMain& w);

// Connects Command1, the entries of both action menus and the remote-control browser's mouse
// presses (window construction).
void ConnectActionMenus(frmMain& w);

}  // namespace cvx
