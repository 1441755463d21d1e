#include "core/UNCtoDOTConversion.h"

#include <vector>

#include "core/TextUtil.h"

namespace cvx {

std::string UNCtoDOTConversion(std::string& name) {
  // The walk below reproduces the established conversion step by step, including its treatment
  // of blanks around the name, so that stored history keys and shown names stay what they were.
  std::vector<std::string> components;
  const auto p = name.find("\\\\");
  std::string rest = p == std::string::npos ? name : name.substr(p + 2);

  std::size_t len = TrimBlanks(rest).size();
  for (std::size_t i = len; i >= 1; --i) {
    // "A backslash at position i or later" (1-based).
    if (i <= rest.size() && rest.find('\\', i - 1) != std::string::npos) {
      const std::size_t take = len >= i ? len - i : 0;
      components.push_back(rest.substr(rest.size() - std::min(take, rest.size())));
      rest.resize(i - 1);
      len = TrimBlanks(rest).size();
    }
  }

  std::string result;
  if (components.empty()) {
    result = rest;
  } else {
    for (const auto& c : components) {
      result += c;
      result += '.';
    }
    result.pop_back();
  }
  name = result;
  return result;
}

std::string DottedName(std::string name) {
  return UNCtoDOTConversion(name);
}

}  // namespace cvx
