#include "target/RemoteTarget.h"

#include "core/AddressKey.h"
#include "target/LoginWorkstationListing.h"
#include "target/ResolutionTexts.h"
#include "wsdb/DatabaseMessages.h"
#include "wsdb/WorkstationDatabaseFile.h"

namespace cvx {

TargetOutcome ResolveRemoteTarget(const std::string& fullName,
                                  const DirectoryControl& NWDirWSAddress, const std::string& dbPath,
                                  const std::string& treeName) {
  TargetOutcome outcome;
  const auto entry = NWDirWSAddress.FindEntry(fullName);
  if (!entry) {
    if (entry.error() == kDirNoSuchObject) {
      outcome.statusText = kObjectDoesNotExist;
    } else if (entry.error() != kDirLost) {
      outcome.statusText = kDirectoryLookupFailed + entry.message();
    }
    return outcome;
  }
  if (entry.value()->Layout().Name != "User") {
    outcome.launch = fullName;
    return outcome;
  }

  const auto addresses = entry.value()->GetFieldValue("Network Address");
  if (!addresses || addresses->empty() || addresses->front().empty()) {
    outcome.statusText = kUserNotLoggedIn;
    return outcome;
  }

  if (addresses->size() == 1) {
    // One login is read as IPX whatever its tag, and even the server key is looked up.
    const auto hit = LookupWorkstation(dbPath, treeName, IpxAddressKey(addresses->front()));
    if (hit.fault != DatabaseFault::kNone) {
      outcome.databaseMessage =
          DatabaseMessageText(hit.fault, DatabaseMessageWording::kUsual, hit.reason);
      outcome.statusText = "";
    } else if (hit.found()) {
      outcome.launch = *hit.fullName;
      outcome.launchLogin = {entry.value()->FullPath(), addresses->front()};
    } else {
      outcome.statusText = kWorkstationNotFound;
    }
    return outcome;
  }

  ResultEntries entries;
  const auto listing =
      ListLoginWorkstations(entry.value()->FullPath(), *addresses, dbPath, treeName, entries);
  outcome.entries = std::move(entries);
  if (listing.lookedUp) outcome.columnTitle = kWorkstationsInUseTitle;
  if (listing.databaseMessage) outcome.databaseMessage = listing.databaseMessage;
  outcome.statusText = "";
  return outcome;
}

}  // namespace cvx
