#include "core/Validation.h"

namespace cvx {

float BlankScore(std::string_view text) {
  float sum = 0;
  for (unsigned char c : text) sum += static_cast<float>(c);
  return sum / 32.0f;
}

bool IsSearchableText(std::string_view text) {
  if (text.empty() || text == " ") return false;
  return BlankScore(text) != static_cast<float>(text.size());
}

}  // namespace cvx
