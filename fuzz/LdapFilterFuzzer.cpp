// A typed name on its way into an LDAP search filter: the input is that name. Whatever it holds,
// the filter text may carry no octet that changes the filter's structure.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/LdapFilterText.h"

namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Every backslash starts a two-digit escape; no parenthesis, NUL or octet beyond ASCII is raw,
// nor a star unless stars are allowed.
void CheckFilterText(const std::string& text, bool starsAllowed) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\\') {
      CVX_FUZZ_CHECK(i + 2 <= text.size() && IsHex(text[i + 1]) && IsHex(text[i + 2]));
      i += 2;
      continue;
    }
    CVX_FUZZ_CHECK(c != '(' && c != ')' && c != 0 && c < 0x80);
    CVX_FUZZ_CHECK(starsAllowed || c != '*');
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckFilterText(cvx::EscapeLdapFilterValue(text), false);
  const std::string wildcard = cvx::LdapWildcardFilterValue(text);
  CheckFilterText(wildcard, true);
  CVX_FUZZ_CHECK(wildcard.find("**") == std::string::npos);
  cvx::IsMatchAllPattern(text);
  return 0;
}
