#pragma once

#include <string>

namespace cvx {

// "cvx 1.0": what --version prints.
std::string VersionLine();

// What --help prints: the synopsis, every option in its long form (the slash forms named too),
// the action codes, the environment variables and the exit statuses.
std::string UsageText();

}  // namespace cvx
