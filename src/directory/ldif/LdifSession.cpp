#include "directory/ldif/LdifSession.h"

#include "directory/ldif/LdifDirectory.h"

namespace cvx {

LdifSession::LdifSession(std::shared_ptr<LdifDirectory> directory)
    : directory_(std::move(directory)) {}

DirResult<std::vector<ServerName>> LdifSession::ServerNames() const {
  auto tree = directory_->Tree(directory_->DefaultTree());
  if (!tree) return tree.dirError();
  auto names = tree.value()->NamesOfClass("NCP Server");
  if (!names) return names.dirError();
  std::vector<ServerName> servers;
  for (auto& n : *names) servers.push_back(ServerName{std::move(n)});
  return servers;
}

}  // namespace cvx
