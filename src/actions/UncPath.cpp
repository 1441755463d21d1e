#include "actions/UncPath.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "core/TextUtil.h"

namespace cvx {

namespace {

bool UsableComponent(std::string_view c) {
  if (c.empty() || c == "." || c == "..") return false;
  return std::none_of(c.begin(), c.end(), [](char ch) {
    const auto u = static_cast<unsigned char>(ch);
    return ch == '/' || u < 0x20 || u == 0x7f;
  });
}

// The entry of folder that is named like wanted: the exact name, else the first name in byte
// order that differs only in case, so the choice does not depend on the folder's order.
std::string FindEntry(const std::string& folder, std::string_view wanted) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return {};
  std::vector<std::string> matches;
  while (const dirent* e = readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name == "." || name == "..") continue;
    if (name == wanted) {
      std::string exact(name);  // the entry dies with the folder handle
      closedir(dir);
      return exact;
    }
    if (EqualsNoCase(name, wanted)) matches.emplace_back(name);
  }
  closedir(dir);
  return matches.empty() ? std::string() : *std::min_element(matches.begin(), matches.end());
}

std::vector<std::string_view> SplitAtBackslashes(std::string_view s) {
  std::vector<std::string_view> parts;
  while (true) {
    const auto cut = s.find('\\');
    parts.push_back(s.substr(0, cut));
    if (cut == std::string_view::npos) return parts;
    s.remove_prefix(cut + 1);
  }
}

}  // namespace

UncMapping MapUncPath(const std::string& root, std::string_view uncPath) {
  using Status = UncMapping::Status;
  if (!uncPath.starts_with("\\\\")) {
    return {Status::kNotFound, {}, "not a network path: " + std::string(uncPath)};
  }
  const auto parts = SplitAtBackslashes(uncPath.substr(2));
  if (!UsableComponent(parts.front())) {
    return {Status::kRefused, {}, "the server name is not usable in a path"};
  }
  if (parts.size() < 3) {
    return {Status::kNotFound, {}, "no volume and file in " + std::string(uncPath)};
  }
  for (const auto part : parts) {
    if (!UsableComponent(part)) {
      return {Status::kRefused, {}, "a path component is not usable: " + std::string(uncPath)};
    }
  }

  std::string path = root;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string entry = FindEntry(path, parts[i]);
    if (entry.empty()) return {Status::kNotFound, {}, path + " holds no " + std::string(parts[i])};
    path += '/';
    path += entry;
    struct stat st {};
    const bool last = i + 1 == parts.size();
    if (!last && (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
      return {Status::kNotFound, {}, path + " is not a folder"};
    }
  }
  return {Status::kMapped, path, {}};
}

}  // namespace cvx
