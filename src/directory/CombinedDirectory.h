#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "directory/DirectoryClient.h"

namespace cvx {

// A folder that describes trees of both kinds: <TREE>.ldif files read by the folder backend and
// <TREE>.uri files naming live trees. Each tree belongs to one of the two directories; controls
// send every call to the directory of the tree it concerns.
class CombinedDirectory : public DirectoryClient,
                          public std::enable_shared_from_this<CombinedDirectory> {
 public:
  struct Part {
    DirectoryClientPtr client;
    std::vector<std::string> trees;  // as the part spells them
  };

  // The default tree's part must have it as its own default (its sessions list its servers).
  CombinedDirectory(Part folder, Part live, std::string defaultTree);

  std::unique_ptr<DirectoryControl> CreateControl() override;
  std::unique_ptr<SessionControl> CreateSession() override;

  const std::string& DefaultTree() const { return defaultTree_; }
  // Which part holds a tree (0: folder, 1: live), with the tree's spelling; nothing when neither.
  std::optional<std::pair<int, std::string>> Holder(const std::string& treeName) const;
  DirectoryClient& PartClient(int part) { return *parts_[part].client; }

 private:
  Part parts_[2];
  std::string defaultTree_;
};

}  // namespace cvx
