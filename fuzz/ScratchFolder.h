#pragma once

#include <string>

namespace cvx {

// A fresh folder below $TMPDIR (or /tmp) for one fuzz process; removed with everything in it when
// the object goes. A target that needs files keeps one for its whole run.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

  // Writes bytes to path()/name, replacing the file.
  void Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

}  // namespace cvx
