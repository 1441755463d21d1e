#include "WorkFolder.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace cvx::test {

WorkFolder::WorkFolder(const std::string& prefix) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
  if (!::mkdtemp(pattern.data())) {
    // Nothing a server can be made in without room to work in.
    std::cerr << "cannot make a folder " << pattern << "\n";
    std::abort();
  }
  path_ = pattern;
}

WorkFolder::~WorkFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

}  // namespace cvx::test
