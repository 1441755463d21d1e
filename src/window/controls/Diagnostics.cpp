#include "window/controls/Diagnostics.h"

#include <iostream>

namespace cvx {

void StderrDiagnostics::Line(const std::string& text) {
  std::cerr << "cvx: " << text << "\n";
}

}  // namespace cvx
