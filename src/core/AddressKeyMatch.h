#pragma once

#include <string_view>

#include "core/WorkstationRecord.h"

namespace cvx {

// A key that can be looked up at all: not empty and not blanks only. Any other key would match
// every record, and the first workstation of the file would be taken for anyone's.
bool IsMatchableKey(std::string_view key);

// True when the key occurs in the field as a whole token: letters compared without regard to
// ASCII case, and the key neither preceded nor followed there by a letter, a digit or ".". So
// the key 10.1.2.3 finds "TCP 10.1.2.3" and "TCP 10.1.2.3:524" but not "TCP 10.1.2.30", and an
// IPX node key finds the node between the colons of "IPX nnnnnnnn:hhhhhhhhhhhh:ssss".
bool FieldHoldsKey(std::string_view field, std::string_view key);

// The key is held by the record's first or second address; the full name is never searched.
bool RecordMatchesKey(const WorkstationRecord& record, std::string_view key);

}  // namespace cvx
