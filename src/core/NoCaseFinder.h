#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cvx {

// Finds a fixed text in a large buffer, letters compared without regard to ASCII case, at close
// to memory speed: two bytes of the needle that are rare in database records are tested for 16
// positions at a time, and only where both fit is the whole needle compared. Nothing is folded
// or copied beforehand.
class NoCaseFinder {
 public:
  explicit NoCaseFinder(std::string_view needle);

  // The first position in [begin, end) where the needle starts; end when there is none. An empty
  // needle is found at begin.
  const char* Find(const char* begin, const char* end) const;

  std::size_t size() const { return needle_.size(); }

 private:
  bool MatchesAt(const char* at) const;

  std::string needle_;     // lower case
  std::size_t first_ = 0;  // offsets of the two test bytes in the needle
  std::size_t second_ = 0;
};

}  // namespace cvx
