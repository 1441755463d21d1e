#include "target/CheckLogin.h"

#include "target/LoginWorkstationListing.h"
#include "target/ResolutionTexts.h"

namespace cvx {

LoginOutcome checkLogin(const std::string& fullName, const DirectoryControl& NWDirWSAddress,
                        const std::string& dbPath, const std::string& treeName) {
  LoginOutcome outcome;
  const auto entry = NWDirWSAddress.FindEntry(fullName);
  if (!entry) {
    outcome.lookupError = entry.error();
    return outcome;
  }
  if (entry.value()->Layout().Name != "User") return outcome;

  // An absent attribute reads as no values at all: not logged in either.
  const auto addresses = entry.value()->GetFieldValue("Network Address");
  if (!addresses || addresses->empty() || addresses->front().empty()) {
    outcome.entries.Add({"", kUserNotLoggedIn, kIconUser});
    return outcome;
  }

  const auto listing = ListLoginWorkstations(entry.value()->FullPath(), *addresses, dbPath,
                                             treeName, outcome.entries);
  outcome.statusText = "";
  if (listing.databaseMessage) {
    outcome.databaseMessage = listing.databaseMessage;
    return outcome;
  }
  outcome.columnTitle = kWorkstationsInUseTitle;
  return outcome;
}

}  // namespace cvx
