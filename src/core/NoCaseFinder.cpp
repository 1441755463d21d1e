#include "core/NoCaseFinder.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cvx {

namespace {

unsigned char Lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Setting bit 5 maps both cases of a letter to one value. Other bytes may collide with it, which
// only lets a few more positions through to the full comparison.
unsigned char Folded(unsigned char c) {
  return c | 0x20;
}

// How common a byte is in database records (higher: more common). Records are full names and
// hex or dotted addresses: zeros, quotes, colons and dots are everywhere, while hex letters and
// the digits 2 to 9 are less frequent.
int Commonness(unsigned char c) {
  c = Lower(c);
  if (c == '0') return 100;
  if (c == '"' || c == ',' || c == '.' || c == ':' || c == ' ' || c == '\\') return 90;
  if (c == '1') return 85;
  if (c >= '2' && c <= '9') return 60;
  if (c >= 'a' && c <= 'f') return 55;
  if (c >= 'g' && c <= 'z') return 40;
  return 20;
}

}  // namespace

NoCaseFinder::NoCaseFinder(std::string_view needle) : needle_(needle) {
  for (auto& c : needle_) c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
  if (needle_.size() < 2) return;
  // The rarest byte, then the rarest other position, preferring another byte value.
  auto rank = [&](std::size_t i) { return Commonness(static_cast<unsigned char>(needle_[i])); };
  first_ = 0;
  for (std::size_t i = 1; i < needle_.size(); ++i) {
    if (rank(i) < rank(first_)) first_ = i;
  }
  second_ = first_ == 0 ? 1 : 0;
  auto cost = [&](std::size_t i) { return rank(i) + (needle_[i] == needle_[first_] ? 50 : 0); };
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (i != first_ && cost(i) < cost(second_)) second_ = i;
  }
}

bool NoCaseFinder::MatchesAt(const char* at) const {
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (Lower(static_cast<unsigned char>(at[i])) != static_cast<unsigned char>(needle_[i])) {
      return false;
    }
  }
  return true;
}

const char* NoCaseFinder::Find(const char* begin, const char* end) const {
  const std::size_t n = needle_.size();
  if (n == 0) return begin;
  if (begin > end || static_cast<std::size_t>(end - begin) < n) return end;
  const char* last = end - n;  // the last position where the needle fits
  const auto a = Folded(static_cast<unsigned char>(needle_[first_]));
  const auto b = Folded(static_cast<unsigned char>(needle_[second_]));
  const char* p = begin;
#if defined(__SSE2__)
  // Both test bytes are loaded from inside the needle's span, so a block of 16 start positions is
  // safe to load while its last position still fits.
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  const __m128i bit5 = _mm_set1_epi8(0x20);
  while (last - p >= 16) {
    const __m128i x =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + first_)), bit5);
    const __m128i y =
        _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + second_)), bit5);
    unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(y, vb))));
    while (mask != 0) {
      const char* at = p + __builtin_ctz(mask);
      if (MatchesAt(at)) return at;
      mask &= mask - 1;
    }
    p += 16;
  }
#endif
  for (; p <= last; ++p) {
    if (Folded(static_cast<unsigned char>(p[first_])) == a &&
        Folded(static_cast<unsigned char>(p[second_])) == b && MatchesAt(p)) {
      return p;
    }
  }
  return end;
}

}  // namespace cvx
