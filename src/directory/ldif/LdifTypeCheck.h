#pragma once

#include <optional>

namespace cvx {

// The LDAP library's LDIF record parser crashes on a line that starts with its colon (no
// attribute name) in some places of a record, so such a record is refused before the parser sees
// it. Gives the line number of the first such line in one record's text (firstLine is the line
// the record starts on), or nothing.
std::optional<unsigned long> FindLineWithoutType(const char* record, unsigned long firstLine);

}  // namespace cvx
