#pragma once

#include <ldap.h>
#include <stdio.h>  // before ldif.h, which uses FILE

#include <ldif.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "directory/ldif/LdifReferenceCheck.h"
#include "directory/ldif/PlainLdifRecord.h"

namespace cvx {

// One record of a tree file read as an entry: plain records directly, any other with the LDAP
// library's parser. The tree loader reads every record with it, and the tree index reads one
// record again when an object's values are asked for, so both make the same of a record.
class LdifRecordEntry {
 public:
  struct Attribute {
    std::string_view type;
    std::span<const std::string_view> values;
  };

  LdifRecordEntry() = default;
  ~LdifRecordEntry();
  LdifRecordEntry(const LdifRecordEntry&) = delete;
  LdifRecordEntry& operator=(const LdifRecordEntry&) = delete;

  // Reads one record's text (changed in place), which starts on line `line`. What is wrong with
  // it, and where, when it is no record a tree file may hold.
  std::optional<RefusedLine> Read(char* text, std::size_t size, unsigned long line);

  // False for a record that adds nothing (a version line, a change record).
  bool IsEntry() const { return isEntry_; }
  // True when the values point into the record's text; else into this reader, until the next Read.
  bool ValuesInText() const { return plainRead_; }
  std::string_view Dn() const { return dn_; }
  const std::vector<Attribute>& Attributes() const { return attributes_; }

 private:
  void Release();

  PlainLdifRecord plain_;
  LDIFRecord parsed_{};
  bool holdsParsed_ = false;
  bool isEntry_ = false;
  bool plainRead_ = false;
  std::string_view dn_;
  std::vector<Attribute> attributes_;
  std::vector<std::string_view> parsedValues_;
};

// The RDN values of a DN, top down ("cn=A,ou=B,o=C" -> C, B, A): views into the DN, or into
// `parsed` for a DN only the parser reads. A multi-valued RDN joins its values with "+". False
// for a DN the parser refuses.
bool RdnValuesTopDown(std::string_view dn, std::vector<std::string_view>& values,
                      std::vector<std::string>& parsed);

}  // namespace cvx
