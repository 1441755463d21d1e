#include "core/ExecFieldCodes.h"

namespace cvx {

namespace {

bool Known(char code) {
  return kExecFieldCodes.find(code) != std::string_view::npos;
}

}  // namespace

std::string UnknownFieldCode(std::string_view argument) {
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '%') continue;
    if (i + 1 == argument.size()) return "%";
    const char code = argument[++i];
    if (code != '%' && !Known(code)) return std::string("%") + code;
  }
  return {};
}

bool HoldsFieldCode(std::string_view argument, char code) {
  for (std::size_t i = 0; i + 1 < argument.size(); ++i) {
    if (argument[i] != '%') continue;
    if (argument[++i] == code) return true;
  }
  return false;
}

bool IsLoneFieldCode(std::string_view argument) {
  return argument.size() == 2 && argument[0] == '%' && Known(argument[1]);
}

char LeadingFieldCode(std::string_view argument,
                      const std::function<std::string_view(char)>& value) {
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '%' || i + 1 == argument.size()) return '\0';
    const char code = argument[++i];
    if (code == '%') return '\0';
    if (!value(code).empty()) return code;
  }
  return '\0';
}

std::string ExpandFieldCodes(std::string_view argument,
                             const std::function<std::string_view(char)>& value) {
  std::string out;
  for (std::size_t i = 0; i < argument.size(); ++i) {
    if (argument[i] != '%' || i + 1 == argument.size()) {
      out += argument[i];
      continue;
    }
    const char code = argument[++i];
    if (code == '%') {
      out += '%';
    } else {
      out += value(code);
    }
  }
  return out;
}

}  // namespace cvx
