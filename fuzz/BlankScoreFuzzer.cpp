// The action button's test of the text typed into the history box: the input is that text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "core/Validation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const float score = cvx::BlankScore(text);
  CVX_FUZZ_CHECK(score >= 0 && score <= static_cast<float>(text.size()) * 255.0f / 32.0f);

  // Among printable texts short enough that the single-precision sum is exact (below 2^24, which
  // these sizes keep), only blanks are refused.
  bool printable = size < 65536;
  bool blanksOnly = true;
  for (char c : text) {
    printable = printable && c >= 0x20 && c <= 0x7e;
    blanksOnly = blanksOnly && c == ' ';
  }
  if (printable) CVX_FUZZ_CHECK(cvx::IsSearchableText(text) == !blanksOnly);
  return 0;
}
