#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace cvx {

// An entry of the plain form nearly every record of a large tree has: "dn:" first, then
// "type: value" or "type:: base64" lines with letter-and-digit types, no folding, comments, CRs,
// options, URLs or change records. Read without the LDAP library's LDIF parser, which costs
// more than the whole rest of reading a tree.
struct PlainLdifRecord {
  struct Attribute {
    std::string_view type;  // as first spelled
    std::size_t firstValue = 0;
    std::size_t valueCount = 0;
  };
  std::string_view dn;
  // Values of one type together, types in the order they first appear (what the parser makes of
  // an entry); the values point into the record's text.
  std::vector<Attribute> attributes;
  std::vector<std::string_view> values;
};

// Fills `out` from a record's text (comment lines before "dn:" are skipped) and decodes base64
// values in place. False, with the text untouched, for any record not of the plain form: the
// LDAP library's parser then reads it, and says what is wrong with it.
bool ReadPlainLdifRecord(char* text, std::size_t size, PlainLdifRecord& out);

}  // namespace cvx
