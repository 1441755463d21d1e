#include "window/CheckLogin.h"

namespace cvx {

// Login resolution arrives with the target search; until then a picked user lists nothing.
int checkLogin(frmMain&, const std::string&) {
  return 0;
}

}  // namespace cvx
