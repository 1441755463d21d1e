#pragma once

namespace cvx {

class frmMain;

// Fills the two attribute pickers from the schema's user and workstation layouts.
int BuildNDSLayoutList(frmMain& w);

}  // namespace cvx
