#pragma once

#include <string>

#include "directory/DirectoryControl.h"
#include "target/TargetOutcome.h"

namespace cvx {

// The workstation a remote action on fullName is meant for: a workstation (any object that is
// not a user) is acted on directly without reading the database; a user logged in once is acted
// on at the workstation found for that login; a user logged in several times gets the list of
// workstations to choose from.
TargetOutcome ResolveRemoteTarget(const std::string& fullName,
                                  const DirectoryControl& NWDirWSAddress, const std::string& dbPath,
                                  const std::string& treeName);

}  // namespace cvx
