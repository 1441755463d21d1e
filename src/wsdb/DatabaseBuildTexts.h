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
// file cannot hold their records and why, when any were.
std::string BuildFinishedText(const DatabaseBuildResult& r);

// A failed build: what failed, and that the previous database was kept.
std::string BuildFailedText(const DatabaseBuildResult& r);

// One line after an unattended build: the records, the seconds and the file.
std::string BuildSummaryLine(const DatabaseBuildResult& r);

// For stderr: how many names were left out, then each name, escaped (PrintableText), with its
// reason; nothing when none were.
std::vector<std::string> LeftOutLines(const DatabaseBuildResult& r);

// The message box texts of a build that cannot start: the database directory is missing (the
// tool ends after it), or it cannot be written.
std::string BuildPathMissingMessage();
std::string BuildWriteRightsMessage(const std::string& dbPath);
// The tree's name cannot name a file (a "/", "\", ".." or a control character in it).
std::string BuildTreeNameMessage(const std::string& treeName);
// The old file's owner, group or mode cannot be kept, or its symbolic link leads nowhere.
std::string BuildNotKeptMessage(const std::string& reason);

// 1204 -> "1,204".
std::string GroupThousands(std::size_t n);

}  // namespace cvx
