#include "directory/CombinedDirectory.h"

#include "core/TextUtil.h"
#include "directory/CombinedControl.h"

namespace cvx {

CombinedDirectory::CombinedDirectory(Part folder, Part live, std::string defaultTree)
    : parts_{std::move(folder), std::move(live)}, defaultTree_(std::move(defaultTree)) {}

std::unique_ptr<DirectoryControl> CombinedDirectory::CreateControl() {
  return std::make_unique<CombinedControl>(shared_from_this());
}

std::unique_ptr<SessionControl> CombinedDirectory::CreateSession() {
  const auto holder = Holder(defaultTree_);
  return parts_[holder ? holder->first : 0].client->CreateSession();
}

std::optional<std::pair<int, std::string>> CombinedDirectory::Holder(
    const std::string& treeName) const {
  for (int part = 0; part < 2; ++part) {
    for (const auto& t : parts_[part].trees) {
      if (EqualsNoCase(t, treeName)) return std::make_pair(part, t);
    }
  }
  return std::nullopt;
}

}  // namespace cvx
