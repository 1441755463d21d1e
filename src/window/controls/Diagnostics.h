#pragma once

#include <string>

namespace cvx {

// Where the window's "cvx: ..." lines go: standard error in a run, a list in a test. Beside the
// Prompter, it is the only way out of the window for a message.
class Diagnostics {
 public:
  virtual ~Diagnostics() = default;
  // One line, given without the "cvx: " prefix and without the newline.
  virtual void Line(const std::string& text) = 0;
};

// Writes each line to standard error as "cvx: text".
class StderrDiagnostics : public Diagnostics {
 public:
  void Line(const std::string& text) override;
};

}  // namespace cvx
