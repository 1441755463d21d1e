#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "directory/ldif/LdifReferenceCheck.h"

namespace cvx {

// One record of an LDIF text: its lines up to the blank line that ends it, comment lines before
// the entry included, ended by a NUL written in place.
struct LdifRecordText {
  char* text = nullptr;
  std::size_t size = 0;
  unsigned long firstLine = 0;  // the line the text starts on
  // Where the record was in the text before it was taken: read again from there, it is the same
  // record.
  std::size_t offset = 0, extent = 0;
};

// Splits an LDIF text held in memory into records, as the LDAP library's line reader would read
// them from the file: blank lines (LF or CR LF) end a record; comments before an entry belong to
// it unless a blank line follows them; a first line starting with a digit is an old-style record
// number and is left out; lines ending in CR LF end in LF. The whole text is split at once, so
// that what a tree file may not hold is found before any record is read. text[size] and
// text[size + 1] must be writable; a record's text is changed in place when it is taken.
class LdifRecords {
 public:
  LdifRecords(char* text, std::size_t size);

  // The first "include:" line or raw NUL byte, which make the text no tree file.
  const std::optional<RefusedLine>& Refused() const { return refused_; }

  std::size_t Count() const { return records_.size(); }
  LdifRecordText Take(std::size_t i);

 private:
  struct Span {
    std::size_t start = 0, end = 0;
    std::size_t numberStart = 0, numberEnd = 0;  // an old-style record number line
    unsigned long firstLine = 0;
    bool crlf = false;
  };

  char* text_;
  std::size_t size_;
  std::vector<Span> records_;
  std::optional<RefusedLine> refused_;
};

}  // namespace cvx
