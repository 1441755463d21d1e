#include "window/DatabaseBuild.h"

#include "window/frmMain.h"

namespace cvx {

// The database build arrives with its own change; the command line already starts it here.
void makeDB(frmMain&) {}

}  // namespace cvx
