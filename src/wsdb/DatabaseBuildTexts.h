#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wsdb/DatabaseBuildResult.h"

namespace cvx {

// Status panel texts and report lines of a database build.

// While records are written: "Writing ... 1200 of 100000 Workstation(s)".
std::string BuildProgressText(std::size_t handled, std::size_t found);

// A finished build: "Found: N Workstation(s)", followed by how many were left out because the
// file cannot hold their names, when any were.
std::string BuildFinishedText(const DatabaseBuildResult& r);

// A failed build: what failed, and that the previous database was kept.
std::string BuildFailedText(const DatabaseBuildResult& r);

// One line after an unattended build: the records, the seconds and the file.
std::string BuildSummaryLine(const DatabaseBuildResult& r);

// For stderr: how many names were left out and why, then each name (line breaks shown as \r and
// \n); nothing when none were.
std::vector<std::string> LeftOutLines(const DatabaseBuildResult& r);

// The message box texts of a build that cannot start: the database directory is missing (the
// tool ends after it), or it cannot be written.
std::string BuildPathMissingMessage();
std::string BuildWriteRightsMessage(const std::string& dbPath);

// 1204 -> "1,204".
std::string GroupThousands(std::size_t n);

}  // namespace cvx
