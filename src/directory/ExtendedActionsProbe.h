#pragma once

#include <string>
#include <vector>

#include "directory/DirResult.h"

namespace cvx {

class DirectoryClient;

// Whether the directory's schema supports the actions beyond Remote Control: it knows the field
// type "DM:ZEN File Transfer". The test runs on a fresh control, that is on the default tree.
// Only "no such field type" says no; any other failure leaves the actions on.
bool ExtendedActionsSupported(DirectoryClient& client);

// The short names of the servers the session knows, in its order.
DirResult<std::vector<std::string>> ListServerNames(DirectoryClient& client);

}  // namespace cvx
