#pragma once

#include <string>

namespace cvx {

// The places the database folder is chosen from when no "/dbpath=" or "--dbpath=" was given.
struct DatabaseFolderPlaces {
  std::string programDir;  // the directory of the program's executable
  std::string sharedDir;   // /var/lib/corvexa, which the package makes for its group
  std::string userDir;     // $XDG_DATA_HOME/corvexa
};

// From the environment: CVX_SHARED_DB_DIR names the shared folder in place of /var/lib/corvexa;
// $XDG_DATA_HOME (when absolute), else ~/.local/share, holds the user's.
DatabaseFolderPlaces DatabaseFolderPlacesFromEnvironment(const std::string& programDir);

// The default folder of TREE.lst: the program's own where it already holds the tree's file, or
// can be written and is not the bin folder of an installed program (one with
// ../share/corvexa beside it: root could write it, but databases do not belong there); else the
// shared folder where it exists; else the user's, which the first build makes.
std::string DefaultDatabaseFolder(const DatabaseFolderPlaces& places, const std::string& treeName);

// Makes the folder and its missing parents; false with the system's reason in `why`.
bool MakeDatabaseFolder(const std::string& folder, std::string* why);

// Whether two folder names lead to the same folder.
bool SameFolder(const std::string& a, const std::string& b);

}  // namespace cvx
