#include "actions/DataLocations.h"

#include <filesystem>

namespace cvx {

namespace {

std::string FirstFolder(const std::filesystem::path& nextToProgram,
                        const std::filesystem::path& underPrefix) {
  std::error_code ec;
  if (std::filesystem::is_directory(nextToProgram, ec)) return nextToProgram.string();
  if (std::filesystem::is_directory(underPrefix, ec)) return underPrefix.string();
  return nextToProgram.string();
}

}  // namespace

DataLocations FindDataLocations(const std::string& programDir) {
  const std::filesystem::path program(programDir);
  const std::filesystem::path prefix = (program / "..").lexically_normal();
  return {FirstFolder(program / "data" / "demo", prefix / "share" / "corvexa" / "demo"),
          FirstFolder(program / "standins", prefix / "lib" / "corvexa" / "standins")};
}

}  // namespace cvx
