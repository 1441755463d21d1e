#include "directory/ldap/LdapSession.h"

#include "directory/ldap/LdapDirectory.h"

namespace cvx {

LdapSession::LdapSession(std::shared_ptr<LdapDirectory> directory)
    : directory_(std::move(directory)) {}

DirResult<std::vector<ServerName>> LdapSession::ServerNames() const {
  auto names = directory_->Tree(directory_->DefaultTree())->ServerNames();
  if (!names) return names.dirError();
  std::vector<ServerName> servers;
  for (auto& n : *names) servers.push_back(ServerName{n});
  return servers;
}

}  // namespace cvx
