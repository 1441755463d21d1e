#include "directory/ldif/LdifRecordEntry.h"

#include <algorithm>

#include "core/PlainRdn.h"
#include "directory/ldif/LdifTypeCheck.h"

namespace cvx {

namespace {

// The RDN values of a DN of plain RDNs only, bottom up; anything else is left to the parser.
bool PlainRdnValues(std::string_view dn, std::vector<std::string_view>& values) {
  values.clear();
  while (true) {
    const auto comma = dn.find(',');
    std::string_view value;
    if (!PlainRdnValue(dn.substr(0, comma), value)) return false;
    values.push_back(value);
    if (comma == std::string_view::npos) return true;
    dn.remove_prefix(comma + 1);
  }
}

}  // namespace

bool RdnValuesTopDown(std::string_view dn, std::vector<std::string_view>& values,
                      std::vector<std::string>& parsed) {
  if (!PlainRdnValues(dn, values)) {
    values.clear();
    parsed.clear();
    LDAPDN dnParts = nullptr;
    if (ldap_str2dn(std::string(dn).c_str(), &dnParts, LDAP_DN_FORMAT_LDAPV3) != LDAP_SUCCESS) {
      return false;
    }
    for (int i = 0; dnParts && dnParts[i]; ++i) {
      std::string value;
      for (int j = 0; dnParts[i][j]; ++j) {
        if (j) value += '+';
        value.append(dnParts[i][j]->la_value.bv_val, dnParts[i][j]->la_value.bv_len);
      }
      parsed.push_back(std::move(value));
    }
    ldap_dnfree(dnParts);
    for (const auto& v : parsed) values.emplace_back(v);
  }
  std::reverse(values.begin(), values.end());
  return true;
}

LdifRecordEntry::~LdifRecordEntry() {
  Release();
}

void LdifRecordEntry::Release() {
  if (holdsParsed_) ldap_ldif_record_done(&parsed_);
  holdsParsed_ = false;
}

std::optional<RefusedLine> LdifRecordEntry::Read(char* text, std::size_t size, unsigned long line) {
  Release();
  isEntry_ = false;
  plainRead_ = false;
  attributes_.clear();
  if (std::string_view(text, size).rfind("version:", 0) == 0) return std::nullopt;
  if (ReadPlainLdifRecord(text, size, plain_)) {
    for (const auto& a : plain_.attributes) {
      attributes_.push_back(
          {a.type,
           std::span<const std::string_view>(plain_.values).subspan(a.firstValue, a.valueCount)});
    }
    dn_ = plain_.dn;
    isEntry_ = plainRead_ = true;
    return std::nullopt;
  }
  if (auto bare = FindLineWithoutType(text, line)) {
    return RefusedLine{*bare, "a line without an attribute name"};
  }
  if (auto url = FindUrlValue(text, line)) {
    return RefusedLine{*url, "values read from a URL (\":<\") are not allowed in a tree file"};
  }
  struct berval rbuf;
  rbuf.bv_val = text;
  rbuf.bv_len = size;
  parsed_ = LDIFRecord{};
  const int rc = ldap_parse_ldif_record(&rbuf, line, &parsed_, "cvx",
                                        LDIF_DEFAULT_ADD | LDIF_ENTRIES_ONLY | LDIF_NO_CONTROLS);
  holdsParsed_ = true;
  if (rc != LDAP_SUCCESS) {
    Release();
    return RefusedLine{line, "malformed record"};
  }
  if (parsed_.lr_op != LDAP_REQ_ADD) return std::nullopt;  // not an entry: nothing to add
  parsedValues_.clear();
  for (LDAPMod** m = parsed_.lrop_mods; m && *m; ++m) {
    for (struct berval** v = (*m)->mod_bvalues; v && *v; ++v) {
      parsedValues_.emplace_back((*v)->bv_val ? (*v)->bv_val : "", (*v)->bv_len);
    }
  }
  std::size_t next = 0;
  for (LDAPMod** m = parsed_.lrop_mods; m && *m; ++m) {
    std::size_t count = 0;
    for (struct berval** v = (*m)->mod_bvalues; v && *v; ++v) ++count;
    attributes_.push_back(
        {(*m)->mod_type, std::span<const std::string_view>(parsedValues_).subspan(next, count)});
    next += count;
  }
  dn_ = std::string_view(parsed_.lr_dn.bv_val ? parsed_.lr_dn.bv_val : "", parsed_.lr_dn.bv_len);
  isEntry_ = true;
  return std::nullopt;
}

}  // namespace cvx
