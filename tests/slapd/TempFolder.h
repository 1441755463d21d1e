#pragma once

#include <string>

namespace cvx::test {

// A fresh folder under $TMPDIR (or /tmp), removed with everything in it when this goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "cvx-test");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Writes a whole file; false when it cannot.
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace cvx::test
