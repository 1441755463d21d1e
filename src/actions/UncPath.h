#pragma once

#include <string>
#include <string_view>

namespace cvx {

struct UncMapping {
  enum class Status { kMapped, kNotFound, kRefused } status = Status::kNotFound;
  std::string path;    // kMapped: the local file
  std::string reason;  // otherwise: why
};

// Maps a network path \\SERVER\VOLUME\dir\file to root/SERVER/VOLUME/dir/file. Each component is
// matched against the folder's real entries without regard to ASCII case (network volumes are
// case-insensitive), an exact match first. A component that is empty, "." or "..", or holds "/" or
// a control character is refused, so no path leads outside root.
UncMapping MapUncPath(const std::string& root, std::string_view uncPath);

}  // namespace cvx
