// The plain record reader against the LDAP library's LDIF parser: any record the plain reader
// takes, the parser reads as the same entry (DN, types in the same order, the same values).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// After <cstring>: ldif.h needs FILE.
#include <ldap.h>
#include <ldif.h>

#include "FuzzCheck.h"
#include "core/TextUtil.h"
#include "directory/ldif/PlainLdifRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // A record as the splitter hands it over: no NUL (refused), no blank line (it would end it).
  if (input.find('\0') != std::string::npos || input.find("\n\n") != std::string::npos) return 0;
  std::vector<char> plainText(input.begin(), input.end()), parsedText = plainText;
  plainText.push_back('\0');
  parsedText.push_back('\0');

  cvx::PlainLdifRecord plain;
  if (!cvx::ReadPlainLdifRecord(plainText.data(), size, plain)) {
    CVX_FUZZ_CHECK(std::memcmp(plainText.data(), input.data(), size) == 0);  // left untouched
    return 0;
  }
  berval text{size, parsedText.data()};
  LDIFRecord lr{};
  const int rc = ldap_parse_ldif_record(&text, 1, &lr, "fuzz",
                                        LDIF_DEFAULT_ADD | LDIF_ENTRIES_ONLY | LDIF_NO_CONTROLS);
  CVX_FUZZ_CHECK(rc == LDAP_SUCCESS && lr.lr_op == LDAP_REQ_ADD);
  CVX_FUZZ_CHECK(std::string_view(lr.lr_dn.bv_val, lr.lr_dn.bv_len) == plain.dn);
  std::size_t a = 0;
  for (LDAPMod** m = lr.lrop_mods; m && *m; ++m, ++a) {
    CVX_FUZZ_CHECK(a < plain.attributes.size());
    const auto& attribute = plain.attributes[a];
    CVX_FUZZ_CHECK(cvx::EqualsNoCase((*m)->mod_type, attribute.type));
    std::size_t v = 0;
    for (berval** value = (*m)->mod_bvalues; value && *value; ++value, ++v) {
      CVX_FUZZ_CHECK(v < attribute.valueCount);
      CVX_FUZZ_CHECK(std::string_view((*value)->bv_val, (*value)->bv_len) ==
                     plain.values[attribute.firstValue + v]);
    }
    CVX_FUZZ_CHECK(v == attribute.valueCount);
  }
  CVX_FUZZ_CHECK(a == plain.attributes.size());
  ldap_ldif_record_done(&lr);
  return 0;
}
