#include "directory/ldif/LdifSession.h"

#include "directory/ldif/LdifDirectory.h"

namespace cvx {

LdifSession::LdifSession(std::shared_ptr<LdifDirectory> directory)
    : directory_(std::move(directory)) {}

DirResult<std::vector<ServerName>> LdifSession::ServerNames() const {
  auto tree = directory_->Tree(directory_->DefaultTree());
  if (!tree) return tree.dirError();
  std::vector<ServerName> servers;
  const auto& model = *tree.value();
  for (std::size_t i = 1; i < model.Size(); ++i) {
    const auto& node = model.Node(static_cast<NodeIndex>(i));
    if (node.className == "NCP Server")
      servers.push_back(ServerName{std::string(node.relativeName)});
  }
  return servers;
}

}  // namespace cvx
