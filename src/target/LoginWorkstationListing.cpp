#include "target/LoginWorkstationListing.h"

#include "core/AddressKey.h"
#include "core/UNCtoDOTConversion.h"
#include "target/ResolutionTexts.h"
#include "wsdb/DatabaseMessages.h"
#include "wsdb/WorkstationDatabaseFile.h"

namespace cvx {

LoginListing ListLoginWorkstations(const std::string& user,
                                   const std::vector<std::string>& addresses,
                                   const std::string& dbPath, const std::string& treeName,
                                   ResultEntries& entries) {
  LoginListing listing;
  for (const auto& address : addresses) {
    const WorkstationDatabaseFile file(dbPath, treeName);
    if (file.fault() != DatabaseFault::kNone) {
      listing.databaseMessage =
          DatabaseMessageText(file.fault(), DatabaseMessageWording::kUsual, file.reason());
      return listing;
    }
    const auto key = DecodeAddressKey(address);
    if (key && *key == kIgnoredAddressKey) continue;
    listing.lookedUp = true;
    // An address of another type has no key; listing it as not found is the truth, while any
    // made-up key could pick some other workstation.
    const auto hit = key ? file.Find(*key) : DatabaseLookup{};
    if (hit.fault != DatabaseFault::kNone) {
      listing.databaseMessage =
          DatabaseMessageText(hit.fault, DatabaseMessageWording::kUsual, hit.reason);
      return listing;
    }
    if (hit.found()) {
      entries.Add({*hit.fullName, DottedName(*hit.fullName), kIconWorkstation, {user, address}});
    } else {
      entries.Add({"", kNotInDatabasePrefix + address, kIconWorkstation});
    }
  }
  return listing;
}

}  // namespace cvx
