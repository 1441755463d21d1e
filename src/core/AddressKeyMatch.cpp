#include "core/AddressKeyMatch.h"

#include "core/TextUtil.h"

namespace cvx {

namespace {

// Bytes of UTF-8 sequences count as letters: a key never ends inside a word.
bool IsTokenByte(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
         c >= 0x80;
}

}  // namespace

bool IsMatchableKey(std::string_view key) {
  return !TrimBlanks(key).empty();
}

bool FieldHoldsKey(std::string_view field, std::string_view key) {
  if (!IsMatchableKey(key) || key.size() > field.size()) return false;
  for (std::size_t at = 0; at + key.size() <= field.size(); ++at) {
    if (!EqualsNoCase(field.substr(at, key.size()), key)) continue;
    const std::size_t end = at + key.size();
    if (at > 0 && IsTokenByte(field[at - 1])) continue;
    if (end < field.size() && IsTokenByte(field[end])) continue;
    return true;
  }
  return false;
}

bool RecordMatchesKey(const WorkstationRecord& record, std::string_view key) {
  return FieldHoldsKey(record.address1, key) || FieldHoldsKey(record.address2, key);
}

}  // namespace cvx
