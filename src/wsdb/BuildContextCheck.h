#pragma once

#include <string>

#include "directory/DirectoryControl.h"

namespace cvx {

// Why a build below `context` must not start: the context is a user, a workstation or an alias,
// not a container, and a search below it would find nothing and empty the database. Empty when
// it may start; a context that cannot be read is left for the search to report.
std::string BuildContextRefusal(const DirectoryControl& control, const std::string& context);

}  // namespace cvx
