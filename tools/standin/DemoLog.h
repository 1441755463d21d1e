#pragma once

#include <string>
#include <vector>

namespace cvx {

// The arguments as one JSON array on one line, ending in "\n".
std::string JsonArrayLine(const std::vector<std::string>& values);

// Appends line to the file at path under an exclusive lock, so lines of stand-ins running at the
// same time never interleave. Returns an empty text, or why it failed.
std::string AppendLocked(const std::string& path, const std::string& line);

}  // namespace cvx
