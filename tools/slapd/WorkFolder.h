#pragma once

#include <string>

namespace cvx::test {

// A folder of the server's own under $TMPDIR (or /tmp), removed with everything in it when this
// goes.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& prefix = "cvx-slapd");
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Writes a whole file; false when it cannot.
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace cvx::test
