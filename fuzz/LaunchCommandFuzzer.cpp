// The launch step's reading of a command line: the input is the line. Its program is mapped
// below a folder laid out like the stand-ins' servers; the rest is split as Windows splits it.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "actions/UncPath.h"
#include "core/WindowsCommandLine.h"

namespace {

const cvx::ScratchFolder& NetworkRoot() {
  static const cvx::ScratchFolder root;
  static const bool laidOut = [] {
    for (const char* dir : {"FS1/SYS/PUBLIC/ZENWORKS", "FS1/SYS/PUBLIC/WIN32", "fs2/Sys/Public"}) {
      std::filesystem::create_directories(root.path() + "/" + dir);
    }
    root.Write("FS1/SYS/PUBLIC/ZENWORKS/wviewnt.exe", "stand-in");
    root.Write("FS1/SYS/PUBLIC/WIN32/wviewnt.exe", "stand-in");
    root.Write("fs2/Sys/Public/Desktop.exe", "stand-in");
    return true;
  }();
  (void)laidOut;
  return root;
}

// An argument quoted so that the Windows rules give it back unchanged.
std::string Quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, '\\');
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string root = NetworkRoot().path();
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args = cvx::SplitWindowsCommandLine(line);
  if (args.empty()) return 0;

  const cvx::UncMapping mapped = cvx::MapUncPath(root, args.front());
  if (mapped.status == cvx::UncMapping::Status::kMapped) {
    // Never outside the folder that stands for the network.
    CVX_FUZZ_CHECK(mapped.path.rfind(root + "/", 0) == 0);
    const std::string below = mapped.path.substr(root.size());
    CVX_FUZZ_CHECK(below.find("/../") == std::string::npos && !below.ends_with("/.."));
    CVX_FUZZ_CHECK(std::filesystem::exists(mapped.path));
  } else {
    CVX_FUZZ_CHECK(mapped.path.empty() && !mapped.reason.empty());
  }

  // The arguments after the program, quoted again, split into the same arguments.
  std::string again = "prog";
  for (std::size_t i = 1; i < args.size(); ++i) again += " " + Quoted(args[i]);
  const auto resplit = cvx::SplitWindowsCommandLine(again);
  CVX_FUZZ_CHECK(resplit.size() == args.size());
  for (std::size_t i = 1; i < args.size(); ++i) CVX_FUZZ_CHECK(resplit[i] == args[i]);
  return 0;
}
