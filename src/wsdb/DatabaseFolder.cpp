#include "wsdb/DatabaseFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/Environment.h"
#include "wsdb/DatabasePath.h"

namespace cvx {

namespace {

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsInstalledBinFolder(const std::string& programDir) {
  return IsDirectory(programDir + "/../share/corvexa");
}

}  // namespace

DatabaseFolderPlaces DatabaseFolderPlacesFromEnvironment(const std::string& programDir) {
  DatabaseFolderPlaces places;
  places.programDir = programDir;
  const std::string shared = EnvironmentValue("CVX_SHARED_DB_DIR");
  places.sharedDir = shared.empty() ? "/var/lib/corvexa" : shared;
  std::string data = EnvironmentValue("XDG_DATA_HOME");
  if (data.empty() || data.front() != '/') {
    const std::string home = EnvironmentValue("HOME");
    data = home.empty() ? std::string() : home + "/.local/share";
  }
  if (!data.empty()) places.userDir = data + "/corvexa";
  return places;
}

std::string DefaultDatabaseFolder(const DatabaseFolderPlaces& places, const std::string& treeName) {
  const std::string& program = places.programDir;
  if (const auto file = DatabaseFilePath(program, treeName)) {
    if (::access(file->c_str(), F_OK) == 0) return program;
  }
  if (IsDirectory(program) && ::faccessat(AT_FDCWD, program.c_str(), W_OK, AT_EACCESS) == 0 &&
      !IsInstalledBinFolder(program)) {
    return program;
  }
  if (IsDirectory(places.sharedDir)) return places.sharedDir;
  return places.userDir.empty() ? program : places.userDir;
}

bool MakeDatabaseFolder(const std::string& folder, std::string* why) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!ec) return true;
  if (why) *why = folder + ": " + ec.message();
  return false;
}

bool SameFolder(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  const auto normal = [](const std::string& p) {
    std::string s = std::filesystem::path(p).lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
  };
  return normal(a) == normal(b);
}

}  // namespace cvx
