#pragma once

#include <string>
#include <vector>

#include "directory/DirResult.h"

namespace cvx {

class DirectoryClient;

// Whether the directory's schema supports the actions beyond Remote Control: it knows the field
// type "DM:ZEN File Transfer". The test runs on a fresh control placed in context (a full name on
// the tree in use; empty: the client's default tree), so that each tree answers for itself.
// Only "no such field type" says no; any other failure leaves the actions on.
bool ExtendedActionsSupported(DirectoryClient& client, const std::string& context = {});

// The short names of the servers the session knows, in its order.
DirResult<std::vector<std::string>> ListServerNames(DirectoryClient& client);

}  // namespace cvx
