#pragma once

#include <string>

namespace cvx {

// Where the data shipped with the program is: the demo directory and the stand-in
// remote-management programs. In the build tree they sit next to the program (bin/data/demo,
// bin/standins); installed, under the prefix the program was installed to, found from
// <prefix>/bin wherever that prefix is: <prefix>/share/corvexa/demo, and, being programs built for
// one architecture, <prefix>/lib/corvexa/standins (packaging/CMakeLists.txt installs them there).
// Each is looked for in that order; when neither place holds it, the place next to the program is
// given, so a message names where it was expected.
struct DataLocations {
  std::string demoDirectory;
  std::string standinRoot;
};

DataLocations FindDataLocations(const std::string& programDir);

}  // namespace cvx
