#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace cvx {

// The error numbers callers look at.
enum DirErrorNumber : int {
  kDirOk = 0,
  kDirClientMissing = 7,  // the directory cannot be opened at all
  kDirLost = 600,         // object or connection lost (also: a tree that cannot be read)
  kDirNoSuchObject = 601,
  kDirNoFieldType = 603,
};

struct DirError {
  int number = kDirLost;
  std::string message;  // for people and logs; callers decide on the number alone
};

// A value or a directory error. Errors between procedures are values, never exceptions.
template <class T>
class DirResult {
 public:
  DirResult(T value) : v_(std::move(value)) {}         // NOLINT: implicit by design
  DirResult(DirError error) : v_(std::move(error)) {}  // NOLINT

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }
  int error() const { return ok() ? kDirOk : std::get<1>(v_).number; }
  const std::string& message() const {
    static const std::string kNone;
    return ok() ? kNone : std::get<1>(v_).message;
  }
  const DirError& dirError() const { return std::get<1>(v_); }

  const T& value() const& { return std::get<0>(v_); }
  T& value() & { return std::get<0>(v_); }
  // Rvalues give their value by value, so `for (auto& x : *Call())` does not dangle.
  T value() && { return std::get<0>(std::move(v_)); }
  const T& operator*() const& { return value(); }
  T operator*() && { return std::move(*this).value(); }
  const T* operator->() const { return &value(); }

 private:
  std::variant<T, DirError> v_;
};

inline DirError MakeDirError(int number, std::string message) {
  return DirError{number, std::move(message)};
}

}  // namespace cvx
