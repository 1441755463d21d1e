#pragma once

#include <optional>

namespace cvx {

// The LDAP library's LDIF record parser crashes when the line after a record's DN has no
// attribute name: it starts with its colon (perhaps after tabs or other white space but the
// blank, which would continue the line before), or it is the lone "-" that separates the changes
// of a modify record. Neither belongs in an entry anywhere, so a record holding such a line is
// refused before the parser sees it. Gives the line number of the first such line in one
// record's text (firstLine is the line the record starts on), or nothing.
std::optional<unsigned long> FindLineWithoutType(const char* record, unsigned long firstLine);

}  // namespace cvx
