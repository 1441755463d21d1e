#pragma once

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace cvx {

// A fresh folder under the test temp folder standing in for XDG_CONFIG_HOME, removed afterwards.
class StoreTestFolder {
 public:
  StoreTestFolder() {
    std::string pattern = testing::TempDir() + "cvx-settings-XXXXXX";
    path = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~StoreTestFolder() {
    std::error_code ec;
    for (const auto& e : std::filesystem::recursive_directory_iterator(path, ec)) {
      if (e.is_directory()) chmod(e.path().c_str(), 0700);
    }
    std::filesystem::remove_all(path, ec);
  }

  std::string StoreFolder() const { return path + "/corvexa"; }
  std::string StorePath() const { return StoreFolder() + "/settings.sqlite3"; }

  std::string path;
};

inline std::string FileBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs SQL on its own connection; the first column of the last row, or "error: ...".
inline std::string RawQuery(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string result;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    result = "error: cannot open";
  } else {
    char* error = nullptr;
    auto take = [](void* out, int, char** values, char**) {
      *static_cast<std::string*>(out) = values[0] ? values[0] : "";
      return 0;
    };
    if (sqlite3_exec(db, sql.c_str(), take, &result, &error) != SQLITE_OK) {
      result = std::string("error: ") + (error ? error : "");
    }
    sqlite3_free(error);
  }
  sqlite3_close(db);
  return result;
}

}  // namespace cvx
