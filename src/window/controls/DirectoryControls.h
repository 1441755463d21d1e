#pragma once

#include <memory>

#include "directory/DirectoryControl.h"

namespace cvx {

// The main window's five directory control instances, each with its own context and filter.
struct DirectoryControls {
  std::unique_ptr<DirectoryControl> NWDirRCTree;     // remote-control browser
  std::unique_ptr<DirectoryControl> NWDirUser;       // target search, layouts
  std::unique_ptr<DirectoryControl> NWDirWSdb;       // database build search
  std::unique_ptr<DirectoryControl> NWDirWS;         // workstation database browser
  std::unique_ptr<DirectoryControl> NWDirWSAddress;  // entry look-ups
  // The target search in flight: a twin of NWDirUser made for each search, so that replacing it
  // drops the completion of an earlier, slower search.
  std::unique_ptr<DirectoryControl> UserSearch;

  bool Created() const { return NWDirRCTree != nullptr; }
};

}  // namespace cvx
