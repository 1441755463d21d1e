#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cvx {

// A full name in browser form cut into its levels.
struct FullNameParts {
  std::vector<std::string> componentsBottomUp;  // "JSMITH", "SALES", "ACME"
  std::string tree;                             // "CORP"
};

// Cuts "NDS:\\CORP\ACME\SALES\JSMITH" at every "\" after the first "\\", from the end. Each cut is
// made at its backslash; blanks around a level and around the whole name are dropped, blanks
// inside a level stay. A name without "\\" is taken as a path without prefix.
FullNameParts SplitFullName(std::string_view fullName);

// Turns a full name in browser form ("NDS:\\CORP\ACME\SALES\JSMITH") into the dotted form people
// read ("JSMITH.SALES.ACME"). The tree name is dropped as soon as there is one component; a bare
// tree name ("NDS:\\CORP") gives the tree name. The argument is replaced by the result, which is
// also returned. An empty name stays empty.
std::string UNCtoDOTConversion(std::string& name);

// The same conversion for callers that keep their own copy.
std::string DottedName(std::string name);

// The components joined by ".", bottom first.
std::string JoinDotted(const std::vector<std::string>& componentsBottomUp);

}  // namespace cvx
