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

  bool Created() const { return NWDirRCTree != nullptr; }
};

}  // namespace cvx
