// The program's own command line: the input is argv[1..], arguments separated by NUL bytes (as
// the kernel hands them over), read in both option forms.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "core/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> argv;
  while (!input.empty()) {
    const auto nul = input.find('\0');
    argv.emplace_back(input.substr(0, nul));
    input.remove_prefix(nul == std::string_view::npos ? input.size() : nul + 1);
  }

  const std::string line = cvx::JoinSlashArguments(argv);
  const auto split = cvx::SplitCommandLine(line);
  CVX_FUZZ_CHECK(!split.empty() && split.size() <= 11 && split[0].empty());
  for (const auto& a : split) CVX_FUZZ_CHECK(a.find('/') == std::string::npos);

  const cvx::CommandLineOptions options = cvx::ParseProgramArguments(argv);
  for (const auto& a : argv) {
    if (a == "--help") CVX_FUZZ_CHECK(options.showHelp);
    if (a == "--dry-run") CVX_FUZZ_CHECK(options.dryRun);
    if (a == "--autoclose") CVX_FUZZ_CHECK(options.autoClose);
  }
  // A value never starts with a blank (its end may, when a final backslash was cut off).
  for (const std::string* v : {&options.cmdLineTree, &options.dbPath, &options.dbBuildContext,
                               &options.target, &options.action, &options.server}) {
    CVX_FUZZ_CHECK(v->empty() || v->front() != ' ');
  }
  return 0;
}
