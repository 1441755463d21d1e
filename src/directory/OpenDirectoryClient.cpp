#include <QDebug>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/FullName.h"
#include "core/TextUtil.h"
#include "directory/CombinedDirectory.h"
#include "directory/DirectoryClient.h"
#include "directory/ldap/LdapDirectory.h"
#include "directory/ldif/LdifDirectory.h"

namespace cvx {

namespace {

namespace fs = std::filesystem;

bool IsLdapUri(std::string_view where) {
  for (std::string_view scheme : {"ldap://", "ldaps://", "ldapi://"}) {
    if (where.size() >= scheme.size() && EqualsNoCase(where.substr(0, scheme.size()), scheme)) {
      return true;
    }
  }
  return false;
}

// The files of a folder with this extension (upper case, with the dot), by name.
std::vector<fs::path> FilesWith(const std::string& folder, const std::string& extension) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) {
    if (e.is_regular_file(ec) && ToUpperAscii(e.path().extension().string()) == extension) {
      out.push_back(e.path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The live trees of a folder: <TREE>.uri files, each holding one URI on its first line. A file
// that cannot be read or holds no URI disables its own tree only, which says why when used.
DirResult<std::vector<LdapTreeLocation>> LiveTreesOf(const std::string& folder) {
  std::vector<LdapTreeLocation> trees;
  for (const auto& p : FilesWith(folder, ".URI")) {
    std::ifstream in(p);
    std::string line;
    const bool read = in && (std::getline(in, line) || in.eof());
    const auto first = line.find_first_not_of(" \t\r");
    const auto last = line.find_last_not_of(" \t\r");
    const std::string uri = first == std::string::npos ? "" : line.substr(first, last - first + 1);
    LdapTreeLocation tree{p.stem().string(), uri, {}};
    if (!read) {
      tree.fault = p.string() + " cannot be read";
    } else if (!IsLdapUri(uri)) {
      tree.fault = p.string() + " holds no ldap://, ldaps:// or ldapi:// URI";
    }
    trees.push_back(std::move(tree));
  }
  return trees;
}

// Whether the tree `name` is the one asked for; a folder's other trees are opened when used,
// so that a server that is down costs only its own tree.
bool AskedFor(const std::string& preferredTree, const std::string& name, std::size_t trees) {
  return trees == 1 || EqualsNoCase(preferredTree, name);
}

DirResult<DirectoryClientPtr> OpenFolder(const std::string& folder,
                                         const std::string& preferredTree,
                                         const std::vector<LdapTreeLocation>& live,
                                         const LdapOptions& options) {
  if (live.empty()) {
    auto dir = LdifDirectory::Open(folder, preferredTree);
    if (!dir) return dir.dirError();
    return DirectoryClientPtr(dir.value());
  }
  std::vector<std::string> offline;
  for (const auto& p : FilesWith(folder, ".LDIF")) offline.push_back(p.stem().string());
  if (offline.empty()) {
    const bool connect =
        live.size() == 1 || std::any_of(live.begin(), live.end(), [&](const auto& t) {
          return AskedFor(preferredTree, t.name, live.size());
        });
    auto dir = LdapDirectory::Open(live, options, preferredTree, connect);
    if (!dir) return dir.dirError();
    return DirectoryClientPtr(dir.value());
  }

  std::vector<std::string> liveNames, all = offline;
  for (const auto& t : live) {
    liveNames.push_back(t.name);
    all.push_back(t.name);
  }
  std::sort(all.begin(), all.end());
  for (std::size_t i = 1; i < all.size(); ++i) {
    if (EqualsNoCase(all[i - 1], all[i])) {
      return MakeDirError(kDirClientMissing,
                          "tree " + all[i] + " is both a file and a server in " + folder);
    }
  }
  std::string defaultTree = all.front();
  if (!preferredTree.empty()) {
    const auto it = std::find_if(all.begin(), all.end(), [&](const std::string& t) {
      return EqualsNoCase(t, preferredTree);
    });
    if (it != all.end()) {
      defaultTree = *it;
    } else {
      qWarning().noquote() << "cvx: the preferred tree" << QString::fromStdString(preferredTree)
                           << "is not in" << QString::fromStdString(folder) << "- using"
                           << QString::fromStdString(defaultTree);
    }
  }
  const bool defaultIsLive =
      std::find(liveNames.begin(), liveNames.end(), defaultTree) != liveNames.end();
  auto liveDir = LdapDirectory::Open(live, options, defaultIsLive ? defaultTree : "",
                                     defaultIsLive && AskedFor(preferredTree, defaultTree, 0));
  if (!liveDir) return liveDir.dirError();
  auto folderDir = LdifDirectory::Open(folder, defaultIsLive ? "" : defaultTree);
  if (!folderDir) return folderDir.dirError();
  return DirectoryClientPtr(std::make_shared<CombinedDirectory>(
      CombinedDirectory::Part{folderDir.value(), offline},
      CombinedDirectory::Part{liveDir.value(), liveNames}, defaultTree));
}

}  // namespace

DirResult<DirectoryClientPtr> OpenDirectoryClientWith(const std::string& where,
                                                      const std::string& preferredTree,
                                                      const LdapOptions& options) {
  if (IsLdapUri(where)) {
    auto dir = LdapDirectory::Open({LdapTreeLocation{"", where, {}}}, options, preferredTree);
    if (!dir) return dir.dirError();
    return DirectoryClientPtr(dir.value());
  }
  auto live = LiveTreesOf(where);
  if (!live) return live.dirError();
  return OpenFolder(where, preferredTree, *live, options);
}

DirResult<DirectoryClientPtr> OpenDirectoryClient(const std::string& where,
                                                  const std::string& preferredTree,
                                                  const PasswordPrompt& askPassword) {
  // Options (and a password) are asked for only when there is a live tree to reach.
  std::string server;
  if (IsLdapUri(where)) {
    server = where;
  } else {
    auto live = LiveTreesOf(where);
    if (!live) return live.dirError();
    if (!live->empty()) server = live->front().uri;
  }
  if (server.empty()) return OpenDirectoryClientWith(where, preferredTree, LdapOptions());
  auto options = LdapOptionsFromEnvironment(askPassword, server);
  if (!options) return options.dirError();
  return OpenDirectoryClientWith(where, preferredTree, options.value());
}

DirResult<DirectoryClientPtr> OpenDirectoryClientFromEnvironment(const std::string& fallbackFolder,
                                                                 const PasswordPrompt& askPassword,
                                                                 const std::string& treeAskedFor) {
  const char* where = std::getenv("CVX_DIRECTORY");
  const char* preferred = std::getenv("CVX_PREFERRED_TREE");
  const std::string tree =
      !treeAskedFor.empty() ? TreePartOfFullName(treeAskedFor) : (preferred ? preferred : "");
  return OpenDirectoryClient(where && *where ? where : fallbackFolder, tree, askPassword);
}

}  // namespace cvx
