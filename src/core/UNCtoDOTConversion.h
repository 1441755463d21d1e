#pragma once

#include <string>

namespace cvx {

// Turns a full name in browser form ("NDS:\\CORP\ACME\SALES\JSMITH") into the dotted form people
// read ("JSMITH.SALES.ACME"). The tree name is dropped as soon as there is one component; a bare
// tree name ("NDS:\\CORP") gives the tree name. The argument is replaced by the result, which is
// also returned. A name without "\\" is taken as a path without prefix; an empty name stays empty.
std::string UNCtoDOTConversion(std::string& name);

// The same conversion for callers that keep their own copy.
std::string DottedName(std::string name);

}  // namespace cvx
