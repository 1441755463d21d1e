#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cvx {

// Numbers are stored as decimal text. Blanks around the number and a leading "+" are allowed;
// anything else that is not a finite number in single precision gives nothing.
std::optional<float> ParseSingle(std::string_view text);

// The shortest text that reads back as the same float; whole numbers without a fraction or
// exponent ("1000", not "1000.0" or "1e+03"), so that geometry reads as people wrote it.
std::string FormatSingle(float value);

// A whole number from 0 to count - 1 ("1.0" counts as 1): an index into an option group.
std::optional<int> ParseOptionIndex(std::string_view text, int count);

}  // namespace cvx
