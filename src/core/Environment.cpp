#include "core/Environment.h"

#include <cstdlib>

namespace cvx {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace cvx
