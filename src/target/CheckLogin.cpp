#include "target/CheckLogin.h"

#include "core/UNCtoDOTConversion.h"
#include "target/LoginWorkstationListing.h"
#include "target/ResolutionTexts.h"

namespace cvx {

TargetOutcome checkLogin(const std::string& fullName, const DirectoryControl& NWDirWSAddress,
                         const std::string& dbPath, const std::string& treeName) {
  TargetOutcome outcome;
  ResultEntries& entries = outcome.entries.emplace();
  const auto entry = NWDirWSAddress.FindEntry(fullName);
  if (!entry) {
    // The caller goes on whatever the directory did; the administrator is told what is missing.
    outcome.lookupError = entry.error();
    outcome.statusText = "The logins of " + DottedName(fullName) + " could not be read (error " +
                         std::to_string(entry.error()) + ").";
    return outcome;
  }
  if (entry.value()->Layout().Name != "User") return outcome;
  // An absent attribute reads as no values at all: not logged in either.
  const auto addresses = entry.value()->GetFieldValue("Network Address");
  if (!addresses || addresses->empty() || addresses->front().empty()) {
    entries.Add({"", kUserNotLoggedIn, kIconUser});
    return outcome;
  }
  const auto listing =
      ListLoginWorkstations(entry.value()->FullPath(), *addresses, dbPath, treeName, entries);
  outcome.statusText = "";
  if (listing.databaseMessage) {
    outcome.databaseMessage = listing.databaseMessage;
    return outcome;
  }
  outcome.columnTitle = kWorkstationsInUseTitle;
  return outcome;
}

}  // namespace cvx
