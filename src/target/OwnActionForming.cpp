#include "target/OwnActionForming.h"

#include "core/Ipv4Address.h"

namespace cvx {

std::optional<std::string> WorkstationIpv4(const DirectoryControl& dir,
                                           const std::string& workstation) {
  const auto entry = dir.FindEntry(workstation);
  if (!entry) return std::nullopt;
  for (const char* field : {"WM:Network Address", "Network Address"}) {
    const auto values = entry.value()->GetFieldValue(field);
    if (!values) continue;
    for (const auto& value : *values) {
      if (auto ipv4 = Ipv4OfAddress(value)) return ipv4;
    }
  }
  return std::nullopt;
}

OwnActionCommand FormOwnAction(const OwnAction& action, const DirectoryControl& dir,
                               const std::string& workstation, const LoginOrigin& login) {
  std::optional<std::string> ipv4;
  if (action.usesAddress) {
    ipv4 = Ipv4OfAddress(login.address);
    if (!ipv4) ipv4 = WorkstationIpv4(dir, workstation);
  }
  return FormOwnActionCommand(action, {workstation, login.user, ipv4});
}

}  // namespace cvx
