#include "directory/ExtendedActionsProbe.h"

#include "directory/DirectoryClient.h"

namespace cvx {

bool ExtendedActionsSupported(DirectoryClient& client, const std::string& context) {
  const std::unique_ptr<DirectoryControl> probe = client.CreateControl();
  if (!context.empty()) probe->SetContextPath(context);
  const auto types = probe->FieldTypes();
  const int error = types ? types->Item("DM:ZEN File Transfer").error() : types.error();
  return error != kDirNoFieldType;
}

DirResult<std::vector<std::string>> ListServerNames(DirectoryClient& client) {
  const auto servers = client.CreateSession()->ServerNames();
  if (!servers) return servers.dirError();
  std::vector<std::string> names;
  names.reserve(servers->size());
  for (const auto& s : *servers) names.push_back(s.ShortName);
  return names;
}

}  // namespace cvx
