#pragma once

namespace cvx {

class frmMain;

// Gives the action button cmdRC the caption of the default action in force (DefaultAction); a
// code outside the catalogue leaves the caption as it is.
void ShowDefaultActionCaption(frmMain& w);

}  // namespace cvx
