#pragma once

#include <memory>
#include <string>

#include "directory/DirResult.h"
#include "directory/ldif/TreeModel.h"

namespace cvx {

// Reads one tree from an LDIF file: the file is read whole, plain records directly, others with
// the LDAP library's LDIF parser. DNs hold no tree: an entry with a single RDN sits directly
// below the tree object. Parents come before children.
// Errors (kDirLost) name the file and the line of the record: unreadable file, malformed record,
// an entry whose parent is missing, a repeated name, an unknown object class.
DirResult<std::shared_ptr<const TreeModel>> LoadTree(const std::string& ldifPath,
                                                     const std::string& treeName,
                                                     std::shared_ptr<const SchemaModel> schema);

}  // namespace cvx
