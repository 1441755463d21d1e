#pragma once

#include <string>
#include <vector>

namespace cvx {

class frmMain;
struct MainWindowControls;

// Fills the two attribute pickers, unchecked, from the schema's "user" and "workstation" layouts
// in the schema's order. A layout the schema lacks leaves its picker empty. Returns the error
// number when the schema cannot be read, else 0.
int BuildNDSLayoutList(frmMain& w);

// Lists in lvwNDSinfo the attributes checked in the picker of the object's class, one row per
// value. A look-up that fails leaves the view empty and says so in status panel 2; the error
// number is returned (0 when found) for the caller to know, never to end on.
int getNDSinfo(frmMain& w, const std::string& NDSObject);

// The names checked in picker 0 (user) or 1 (workstation), in picker order; and checking exactly
// the given names (names the picker does not offer are passed over). For the settings store.
std::vector<std::string> CheckedAttributes(const MainWindowControls& ui, int picker);
void SetCheckedAttributes(MainWindowControls& ui, int picker,
                          const std::vector<std::string>& names);

// Shows the user picker when cmbNDSInfoLayout reads "User", the workstation picker otherwise.
void cmbNDSInfoLayout_Click(MainWindowControls& ui);

// Connects cmbNDSInfoLayout to its handler (window construction).
void ConnectAttributeDisplay(frmMain& w);

}  // namespace cvx
