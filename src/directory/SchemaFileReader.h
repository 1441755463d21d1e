#pragma once

#include <string>

#include "directory/DirResult.h"
#include "directory/SchemaDefinitions.h"

namespace cvx {

// Reads a file of attributetype / objectclass statements in OpenLDAP schema syntax (a statement
// starts at the beginning of a line, continues on lines that start with white space; "#" starts a
// comment line). Each definition is parsed by the LDAP library's schema parser. An error names
// the file and the line of the statement.
DirResult<SchemaDefinitions> ReadSchemaFile(const std::string& path);

// The same from text; `origin` names the source in error messages.
DirResult<SchemaDefinitions> ParseSchemaText(const std::string& text, const std::string& origin);

}  // namespace cvx
