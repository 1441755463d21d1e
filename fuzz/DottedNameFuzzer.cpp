// Full names in browser form, from the directory, the history or the command line: the input is
// one name, turned into its levels and its dotted form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/UNCtoDOTConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string name = input;
  const std::string returned = cvx::UNCtoDOTConversion(name);
  // The argument is replaced by the result, and both ways of asking agree.
  CVX_FUZZ_CHECK(returned == name);
  CVX_FUZZ_CHECK(cvx::DottedName(input) == returned);
  CVX_FUZZ_CHECK(!input.empty() || returned.empty());

  const cvx::FullNameParts parts = cvx::SplitFullName(input);
  for (const auto& level : parts.componentsBottomUp) {
    CVX_FUZZ_CHECK(level.find('\\') == std::string::npos);
    CVX_FUZZ_CHECK(level.empty() || (level.front() != ' ' && level.back() != ' '));
  }
  CVX_FUZZ_CHECK(parts.tree.find('\\') == std::string::npos);
  CVX_FUZZ_CHECK(cvx::JoinDotted(parts.componentsBottomUp).size() <= input.size() + 1);
  return 0;
}
