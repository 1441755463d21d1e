#include "core/PrintableLines.h"

#include "core/PrintableText.h"

namespace cvx {

std::string PrintableLines(std::string_view text) {
  std::string lines;
  for (auto end = text.find("\r\n"); end != std::string_view::npos; end = text.find("\r\n")) {
    lines += PrintableText(text.substr(0, end)) + '\n';
    text.remove_prefix(end + 2);
  }
  return lines + PrintableText(text);
}

}  // namespace cvx
