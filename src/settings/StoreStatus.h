#pragma once

#include <string>
#include <utility>

namespace cvx {

// The outcome of a settings store operation. Callers mostly ignore failed writes (the next write
// is tried anyway); the message is one line for people, naming the store's file.
struct StoreStatus {
  bool ok = true;
  std::string message;

  static StoreStatus Ok() { return {}; }
  static StoreStatus Failed(std::string message) { return {false, std::move(message)}; }

  // Keeps the first failure of a series of steps.
  void Note(const StoreStatus& step) {
    if (ok && !step.ok) *this = step;
  }
};

}  // namespace cvx
