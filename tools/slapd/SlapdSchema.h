#pragma once

#include <string>
#include <vector>

namespace cvx::test {

// Rewrites the schema files of a directory folder into one file that slapd takes, serving what the
// folder backend reads from them:
// - definitions come in an order slapd can read (attribute types first, each class after the
//   classes it names as superclasses; the folder backend takes files in any order);
// - definitions slapd has built in (objectClass, cn, top, alias ...) are left out: slapd refuses
//   a second definition;
// - eDirectory's tagged-data syntax, which slapd lacks, becomes an octet string marked
//   X-NDS_SYNTAX '12', as a schema for OpenLDAP declares network addresses;
// - a case-ignoring attribute without a substring rule gets one, so that "J*" finds names
//   (the folder backend matches wildcards whatever the schema says).
// Gives an empty text on success, else the reason.
std::string ConvertSchemasForSlapd(const std::vector<std::string>& inPaths,
                                   const std::string& outPath);

}  // namespace cvx::test
