#include "wsdb/DatabasePath.h"

namespace cvx {

bool IsUsableTreeName(std::string_view treeName) {
  if (treeName.empty() || treeName.find("..") != std::string_view::npos) return false;
  for (char ch : treeName) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return false;
  }
  return true;
}

std::optional<std::string> DatabaseFilePath(std::string_view dbPath, std::string_view treeName) {
  if (dbPath.empty() || !IsUsableTreeName(treeName)) return std::nullopt;
  std::string path(dbPath);
  if (path.back() != '/') path += '/';
  path += treeName;
  path += ".lst";
  return path;
}

}  // namespace cvx
