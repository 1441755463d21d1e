#pragma once

#include <string>

namespace cvx {

// An environment variable's value; empty when it is not set.
std::string EnvironmentValue(const char* name);

// Whether the variable is set to something other than the empty text.
inline bool IsEnvironmentSet(const char* name) {
  return !EnvironmentValue(name).empty();
}

}  // namespace cvx
